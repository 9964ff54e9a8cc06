#include "gui/canvas.h"

#include <algorithm>
#include <cmath>

#include "gui/pic_data_blend.h"

namespace pengui {
namespace {

// The font drawn at a scale and how much each of its pixels is enlarged:
// the 2x font as it is, or the 1x font doubled when there is no 2x font.
struct ScaledFont {
  const FontInterface* font = nullptr;
  int enlarge = 1;
};

ScaledFont font_at(const FontSet& set, int scale) {
  if (scale == 2 && set.x2) return {set.x2.get(), 1};
  return {set.x1.get(), scale};
}

int device_text_width(const ScaledFont& f, std::string_view text) {
  return f.font ? f.font->text_width(text) * f.enlarge : 0;
}

int device_text_height(const ScaledFont& f) { return f.font ? f.font->glyph_height() * f.enlarge : 0; }

int ceil_div(int a, int b) { return (a + b - 1) / b; }

// Length of the overlap of a pixel's span [d - 0.5, d + 0.5] with the band
// [-r, r] around a shape's spine: the pixel's coverage across a long edge.
float band_coverage(float d, float r) { return std::clamp(std::min(d + 0.5f, r) - std::max(d - 0.5f, -r), 0.0f, 1.0f); }

float squared_distance_to_segment(float px, float py, float x0, float y0, float x1, float y1) {
  const float dx = x1 - x0;
  const float dy = y1 - y0;
  const float len2 = dx * dx + dy * dy;
  float t = 0.0f;
  if (len2 > 0.0f) t = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f);
  const float ex = px - (x0 + t * dx);
  const float ey = py - (y0 + t * dy);
  return ex * ex + ey * ey;
}

// The logical clip in device pixels, inside the buffer.
Rect device_area(const Rect& clip, int scale, const RenderBuffer& buffer) {
  return clip.scaled(scale).intersect(buffer.bounds());
}

void draw_glyph_run(RenderBuffer& buffer, const ScaledFont& f, int pen, int top, std::string_view text, uint32_t rgb,
                    const Rect& clip) {
  for (unsigned char code : text) {
    if (pen >= clip.right()) break;
    const int advance = f.font->glyphs()[code].width * f.enlarge;
    if (pen + advance > clip.x) f.font->draw_glyph_enlarged(buffer, pen, top, code, rgb, f.enlarge, clip);
    pen += advance;
  }
}

}  // namespace

Canvas::Canvas(RenderBuffer& buffer, int scale, const Rect& clip_logical)
    : buffer_(buffer), scale_(std::clamp(scale, 1, 4)), clip_(clip_logical) {}

void Canvas::fill_rect(const Rect& r, uint32_t rgb) { buffer_.fill(r.scaled(scale_).intersect(device_area(clip_, scale_, buffer_)), rgb); }

void Canvas::blend_rect(const Rect& r, uint32_t rgb, int alpha) {
  const Rect area = r.scaled(scale_).intersect(device_area(clip_, scale_, buffer_));
  const uint32_t colour = rgb & 0x00FFFFFFu;
  for (int y = area.y; y < area.bottom(); ++y) {
    uint32_t* row = buffer_.row(y);
    for (int x = area.x; x < area.right(); ++x) row[x] = blend_pixel(row[x], colour, alpha);
  }
}

void Canvas::frame_rect(const Rect& r, uint32_t rgb, int thickness) {
  if (r.empty() || thickness <= 0) return;
  if (2 * thickness >= r.w || 2 * thickness >= r.h) {
    fill_rect(r, rgb);
    return;
  }
  fill_rect({r.x, r.y, r.w, thickness}, rgb);
  fill_rect({r.x, r.bottom() - thickness, r.w, thickness}, rgb);
  fill_rect({r.x, r.y + thickness, thickness, r.h - 2 * thickness}, rgb);
  fill_rect({r.right() - thickness, r.y + thickness, thickness, r.h - 2 * thickness}, rgb);
}

void Canvas::draw_image(const Image& img, int x, int y) {
  draw_image_part(img, {0, 0, img.width(), img.height()}, x, y);
}

void Canvas::draw_image_part(const Image& img, const Rect& src_logical, int x, int y) {
  const Rect clip = device_area(clip_, scale_, buffer_);
  if (clip.empty()) return;
  if (scale_ == 2 && img.x2) {
    img.x2->draw_part(buffer_, src_logical.scaled(2), x * 2, y * 2, clip);
  } else if (img.x1 && scale_ == 1) {
    img.x1->draw_part(buffer_, src_logical, x, y, clip);
  } else if (img.x1) {
    img.x1->draw_part_enlarged(buffer_, src_logical, x * scale_, y * scale_, scale_, clip);
  }
}

void Canvas::draw_line(float x0, float y0, float x1, float y1, float width, uint32_t rgb) {
  const float s = static_cast<float>(scale_);
  x0 *= s;
  y0 *= s;
  x1 *= s;
  y1 *= s;
  const float radius = width * s * 0.5f;
  if (!(radius > 0.0f) || !std::isfinite(x0 + y0 + x1 + y1 + radius)) return;

  // Only pixels near the segment can be touched; floats far outside the
  // buffer are cut before they become ints.
  const Rect clip = device_area(clip_, scale_, buffer_);
  const float reach = radius + 1.0f;
  const float left = std::max(std::min(x0, x1) - reach, static_cast<float>(clip.x));
  const float top = std::max(std::min(y0, y1) - reach, static_cast<float>(clip.y));
  const float right = std::min(std::max(x0, x1) + reach, static_cast<float>(clip.right()));
  const float bottom = std::min(std::max(y0, y1) + reach, static_cast<float>(clip.bottom()));
  if (right <= left || bottom <= top) return;
  const Rect area = Rect{static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
                         static_cast<int>(std::ceil(right) - std::floor(left)),
                         static_cast<int>(std::ceil(bottom) - std::floor(top))}
                        .intersect(clip);

  const uint32_t colour = rgb & 0x00FFFFFFu;
  const float untouched2 = (radius + 0.5f) * (radius + 0.5f);
  for (int y = area.y; y < area.bottom(); ++y) {
    uint32_t* row = buffer_.row(y);
    const float cy = static_cast<float>(y) + 0.5f;
    for (int x = area.x; x < area.right(); ++x) {
      const float d2 = squared_distance_to_segment(static_cast<float>(x) + 0.5f, cy, x0, y0, x1, y1);
      if (d2 >= untouched2) continue;
      const float d = std::sqrt(d2);
      const int alpha = static_cast<int>(std::lround(band_coverage(d, radius) * 255.0f));
      row[x] = blend_pixel(row[x], (row[x] & 0xFF000000u) | colour, alpha);
    }
  }
}

void Canvas::fill_circle(float cx, float cy, float radius, uint32_t rgb) {
  // A disc is a line of no length with round ends.
  draw_line(cx, cy, cx, cy, 2.0f * radius, rgb);
}

void Canvas::draw_text(const FontSet& font, int x, int y, std::string_view text, uint32_t rgb) {
  const ScaledFont f = font_at(font, scale_);
  const Rect clip = device_area(clip_, scale_, buffer_);
  if (!f.font || clip.empty()) return;
  draw_glyph_run(buffer_, f, x * scale_, y * scale_, text, rgb, clip);
}

void Canvas::draw_text_in(const FontSet& font, const Rect& box, std::string_view text, uint32_t rgb, Align align) {
  const ScaledFont f = font_at(font, scale_);
  if (!f.font) return;
  // Placed in device pixels, so that a 2x font is centred to its own pixel.
  const Rect dbox = box.scaled(scale_);
  const int width = device_text_width(f, text);
  int dx = dbox.x;
  if (align == Align::center) dx = dbox.x + (dbox.w - width) / 2;
  if (align == Align::right) dx = dbox.right() - width;
  const int dy = dbox.y + (dbox.h - device_text_height(f)) / 2;

  const Rect clip = device_area(clip_, scale_, buffer_).intersect(dbox);
  if (clip.empty()) return;
  draw_glyph_run(buffer_, f, dx, dy, text, rgb, clip);
}

int Canvas::text_width(const FontSet& font, std::string_view text) const {
  return ceil_div(device_text_width(font_at(font, scale_), text), scale_);
}

int Canvas::text_height(const FontSet& font) const {
  return ceil_div(device_text_height(font_at(font, scale_)), scale_);
}

}  // namespace pengui
