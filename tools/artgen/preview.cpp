#include "tools/artgen/preview.h"

#include <algorithm>
#include <stdexcept>

#include <cairo.h>

#include "tools/artgen/cairo_raster.h"

namespace artgen {
namespace {

// Blends `src` (part sx, sy, w, h) over `dst` at (x, y) by its alpha.
void blend(Raster& dst, const Raster& src, int sx, int sy, int w, int h, int x, int y) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int dx = x + i, dy = y + j;
      if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
      const Rgba& s = src.at(sx + i, sy + j);
      Rgba& d = dst.at(dx, dy);
      d.r = uint8_t(d.r + ((s.r - d.r) * s.a >> 8));
      d.g = uint8_t(d.g + ((s.g - d.g) * s.a >> 8));
      d.b = uint8_t(d.b + ((s.b - d.b) * s.a >> 8));
      d.a = 255;
    }
}

const Raster& picture(const std::map<std::string, Raster>& pictures, const std::string& name) {
  auto it = pictures.find(name);
  if (it == pictures.end()) throw std::runtime_error("preview: no picture " + name);
  return it->second;
}

void draw_whole(Raster& dst, const Raster& src, int x, int y) { blend(dst, src, 0, 0, src.width, src.height, x, y); }

}  // namespace

void write_png(const Raster& picture, const std::string& path) {
  cairo_surface_t* surface = new_surface(picture.width, picture.height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const Rgba& p = picture.at(x, y);
      const uint32_t argb = uint32_t(p.a) << 24 | uint32_t(p.r * p.a / 255) << 16 | uint32_t(p.g * p.a / 255) << 8 |
                            uint32_t(p.b * p.a / 255);
      std::copy(reinterpret_cast<const unsigned char*>(&argb), reinterpret_cast<const unsigned char*>(&argb) + 4,
                data + size_t(y) * size_t(stride) + size_t(x) * 4);
    }
  cairo_surface_mark_dirty(surface);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + path);
}

Raster compose_panel(const Raster& background, const PanelLayout& layout, const std::vector<PictureSource>& catalogue,
                     const std::map<std::string, Raster>& pictures, int scale) {
  Raster out = background;
  for (const Item& it : layout.items) {
    const int x = it.x * scale, y = it.y * scale;
    switch (it.kind) {
      case ItemKind::knob: {
        draw_whole(out, picture(pictures, it.picture), x, y);
        const PictureSource* strip = find_picture(catalogue, it.picture_on);
        const int frame = strip->frames * 3 / 10;
        blend(out, picture(pictures, it.picture_on), 0, frame * it.h * scale, it.w * scale, it.h * scale, x, y);
        break;
      }
      case ItemKind::fader:
        draw_whole(out, picture(pictures, it.picture), x, y + it.travel * scale * 4 / 10);
        break;
      case ItemKind::selector:
      case ItemKind::flipflop:
      case ItemKind::lamp:
      case ItemKind::button:
        draw_whole(out, picture(pictures, it.line % 2 ? it.picture_on : it.picture), x, y);
        break;
      case ItemKind::switch_:
        draw_whole(out, picture(pictures, it.line % 2 ? it.picture_on : it.picture), x, y);
        draw_whole(out, picture(pictures, it.line % 2 ? it.lamp_on : it.lamp), it.lamp_x * scale, it.lamp_y * scale);
        break;
      default:
        break;
    }
  }
  return out;
}

Raster contact_sheet(const std::vector<PictureSource>& catalogue, const std::map<std::string, Raster>& pictures,
                     int scale) {
  const int gap = 6 * scale, row_limit = 900 * scale;
  int x = gap, y = gap, row_height = 0, width = 0;
  struct Placed {
    const Raster* raster;
    int sx, sy, w, h, x, y;
  };
  std::vector<Placed> placed;
  for (const PictureSource& p : catalogue) {
    if (p.name == "bkg_28") continue;
    const Raster& r = picture(pictures, p.name);
    const int fw = p.width * scale, fh = p.height * scale;
    const int shown = std::min(p.frames, 5);
    const int w = shown * (fw + 2 * scale);
    if (x + w > row_limit) {
      x = gap;
      y += row_height + gap;
      row_height = 0;
    }
    for (int k = 0; k < shown; ++k) {
      const int frame = shown > 1 ? k * (p.frames - 1) / (shown - 1) : 0;
      placed.push_back({&r, 0, frame * fh, fw, fh, x + k * (fw + 2 * scale), y});
    }
    x += w + gap;
    width = std::max(width, x);
    row_height = std::max(row_height, fh);
  }
  Raster out(width, y + row_height + gap);
  for (Rgba& p : out.pixels) p = Rgba{128, 128, 132, 255};
  for (const Placed& p : placed) blend(out, *p.raster, p.sx, p.sy, p.w, p.h, p.x, p.y);
  return out;
}

Raster font_sample(const FontStrip& strip, int scale, int zoom) {
  static const char* const kLines[] = {
      "12 - Fat Bass Lead   VCF Freq 1234.5 Hz",
      "The quick brown fox jumps over the lazy dog.",
      "ADSR Atk Time: 20.000 ms  [+36.00 ST]  {50%}",
      "\xC4\xD6\xDC \xE4\xF6\xFC \xDF \x80 \xA9 \xB5 \x85 @#$&*()_+=<>?/|~^`'\"",
      "\x01\x02\x81\x8D control and undefined codes"};
  const int rows = strip.height - 1 * scale;  // glyph rows, without the marker row
  std::vector<int> starts(256, 0);
  for (int c = 1; c < 256; ++c) starts[size_t(c)] = starts[size_t(c - 1)] + strip.widths[size_t(c - 1)];
  const int line_count = int(sizeof kLines / sizeof kLines[0]);
  Raster out(420 * scale * zoom, (rows + 2 * scale) * line_count * zoom);
  for (Rgba& p : out.pixels) p = Rgba{16, 21, 18, 255};
  for (int l = 0; l < line_count; ++l) {
    int x = 2 * scale;
    for (const char* t = kLines[l]; *t; ++t) {
      const unsigned char c = static_cast<unsigned char>(*t);
      for (int j = 0; j < rows; ++j)
        for (int i = 0; i < strip.widths[c]; ++i) {
          const uint8_t cov = strip.coverage[size_t(j) * size_t(strip.width) + size_t(starts[c] + i)];
          for (int zy = 0; zy < zoom; ++zy)
            for (int zx = 0; zx < zoom; ++zx) {
              const int px = (x + i) * zoom + zx, py = (l * (rows + 2 * scale) + scale + j) * zoom + zy;
              if (px >= out.width || py >= out.height) continue;
              Rgba& d = out.at(px, py);
              d.r = uint8_t(d.r + ((0xe8 - d.r) * cov >> 8));
              d.g = uint8_t(d.g + ((0xf4 - d.g) * cov >> 8));
              d.b = uint8_t(d.b + ((0xe0 - d.b) * cov >> 8));
            }
        }
      x += strip.widths[c];
    }
  }
  return out;
}

}  // namespace artgen
