#include "gui/unicolor_font.h"

#include <utility>

#include "gui/font_glyph_strip.h"
#include "gui/pic_data_blend.h"
#include "gui/pic_data_visit.h"

namespace pengui {

std::unique_ptr<UnicolorFont> UnicolorFont::create(const ApicView& view) {
  if (view.format != ApicFormat::unicolor_font) return nullptr;
  const std::size_t w = static_cast<std::size_t>(view.width);
  const std::size_t glyph_rows = static_cast<std::size_t>(view.height) - 1;
  if (view.pixel_bytes < w * (glyph_rows + 1)) return nullptr;
  std::vector<Glyph> glyphs = glyphs_from_marker_row(view.pixels + w * glyph_rows, view.width, 1);
  if (glyphs.size() != kGlyphCount) return nullptr;
  std::vector<uint8_t> coverage(view.pixels, view.pixels + w * glyph_rows);
  return std::unique_ptr<UnicolorFont>(
      new UnicolorFont(std::move(glyphs), view.width, static_cast<int>(glyph_rows), std::move(coverage)));
}

UnicolorFont::UnicolorFont(std::vector<Glyph> glyphs, int strip_width, int glyph_height,
                           std::vector<uint8_t> coverage)
    : strip_width_(strip_width), coverage_(std::move(coverage)) {
  glyphs_ = std::move(glyphs);
  glyph_height_ = glyph_height;
}

void UnicolorFont::draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                              const Rect& clip) const {
  draw_glyph_enlarged(dst, x, y, code, rgb, 1, clip);
}

void UnicolorFont::draw_glyph_enlarged(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                                       int factor, const Rect& clip) const {
  const Glyph& g = glyphs_[code];
  visit_source_pixels(dst, {g.start, 0, g.width, glyph_height_}, strip_width_, glyph_height_, x, y, factor, clip,
                      [this, rgb](uint32_t& d, std::size_t i) { d = mix_pixel(d, rgb, coverage_[i]); });
}

}  // namespace pengui
