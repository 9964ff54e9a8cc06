#include "tools/artgen/font_strip.h"

#include <algorithm>
#include <stdexcept>

namespace artgen {
namespace {

constexpr uint32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool is_control(int code) { return code < 32 || code == 127; }

void set_size(FT_Face face, double pixels) {
  if (FT_Set_Char_Size(face, 0, FT_F26Dot6(pixels * 64 + 0.5), 72, 72) != 0)
    throw std::runtime_error("FreeType cannot size the font");
}

int hinted_advance(FT_Face face, uint32_t ch) {
  if (FT_Load_Char(face, ch, FT_LOAD_DEFAULT) != 0) throw std::runtime_error("FreeType cannot load a glyph");
  return int((face->glyph->advance.x + 32) >> 6);
}

}  // namespace

uint32_t cp1252_to_unicode(int code) {
  if (code < 0 || code > 255 || is_control(code)) return 0;
  if (code >= 128 && code < 160) return kHighControls[code - 128];
  return uint32_t(code);
}

std::vector<int> font_strip_widths(FT_Face face, const FontStripLayout& layout) {
  set_size(face, layout.size);
  std::vector<int> widths(256, layout.empty_width);
  std::vector<int> printable;
  for (int code = 0; code < 256; ++code) {
    const uint32_t ch = cp1252_to_unicode(code);
    if (!ch) continue;
    widths[size_t(code)] = std::max(1, hinted_advance(face, ch));
    if (code != 32 && code != 160) printable.push_back(code);
  }
  if (layout.strip_width <= 0) return widths;
  int diff = layout.strip_width;
  for (int w : widths) diff -= w;
  // Whole passes first, then the rest spread evenly over the code range.
  const int n = int(printable.size());
  const int step = diff > 0 ? 1 : -1;
  while (diff != 0) {
    const int count = std::min(std::abs(diff), n);
    for (int k = 0; k < count; ++k) {
      int& w = widths[size_t(printable[size_t((2 * k + 1) * n / (2 * count))])];
      if (w + step < 2) throw std::runtime_error("font strip: the glyphs cannot shrink to the wanted width");
      w += step;
    }
    diff -= step * count;
  }
  return widths;
}

FontStrip render_font_strip(FT_Face face, const FontStripLayout& layout, const std::vector<int>& widths_1x, int scale) {
  FontStrip strip;
  for (int w : widths_1x) strip.widths.push_back(w * scale);
  for (int w : strip.widths) strip.width += w;
  strip.height = (layout.rows + 1) * scale;
  strip.coverage.assign(size_t(strip.width) * size_t(strip.height), 0);
  const int glyph_rows = layout.rows * scale;
  const int baseline = layout.baseline * scale;
  auto put = [&](int x, int y, uint8_t value) {
    if (x >= 0 && x < strip.width && y >= 0 && y < glyph_rows) {
      uint8_t& cell = strip.coverage[size_t(y) * size_t(strip.width) + size_t(x)];
      cell = std::max(cell, value);
    }
  };

  set_size(face, layout.size * scale);
  int start = 0;
  for (int code = 0; code < 256; ++code) {
    const int cell = strip.widths[size_t(code)];
    const uint32_t ch = cp1252_to_unicode(code);
    if (!ch && !is_control(code)) {
      // A small box for the codes that have no character.
      for (int i = scale; i < cell - scale; ++i) {
        for (int t = 0; t < scale; ++t) {
          put(start + i, baseline - 7 * scale + t, 255);
          put(start + i, baseline - 1 - t, 255);
        }
      }
      for (int j = baseline - 7 * scale; j < baseline; ++j) {
        for (int t = 0; t < scale; ++t) {
          put(start + scale + t, j, 255);
          put(start + cell - 2 * scale + t, j, 255);
        }
      }
    } else if (ch) {
      if (FT_Load_Char(face, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        throw std::runtime_error("FreeType cannot render a glyph");
      const FT_GlyphSlot g = face->glyph;
      const int advance = int((g->advance.x + 32) >> 6);
      const int left = start + (cell - advance) / 2 + g->bitmap_left;
      int top = baseline - g->bitmap_top;
      // Thin marks below the baseline (the underscore) move up into the box.
      if (int(g->bitmap.rows) <= 2 * scale && top + int(g->bitmap.rows) > glyph_rows) top = glyph_rows - int(g->bitmap.rows);
      for (unsigned row = 0; row < g->bitmap.rows; ++row)
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
          // Keep each glyph inside its own cell so that neighbours never bleed.
          const int x = left + int(col);
          if (x < start || x >= start + cell) continue;
          put(x, top + int(row), g->bitmap.buffer[size_t(row) * size_t(g->bitmap.pitch) + col]);
        }
    }
    const uint8_t marker = code % 2 == 0 ? 255 : 0;
    for (int x = start; x < start + cell; ++x)
      strip.coverage[size_t(strip.height - 1) * size_t(strip.width) + size_t(x)] = marker;
    start += cell;
  }
  return strip;
}

}  // namespace artgen
