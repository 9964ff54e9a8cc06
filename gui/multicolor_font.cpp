#include "gui/multicolor_font.h"

#include <utility>

#include "gui/font_glyph_strip.h"
#include "gui/pic_data_blend.h"
#include "gui/pic_data_visit.h"

namespace pengui {

std::unique_ptr<MulticolorFont> MulticolorFont::create(const ApicView& view) {
  if (view.format != ApicFormat::alpha8) return nullptr;
  const std::size_t row_bytes = static_cast<std::size_t>(view.width) * 2;
  const std::size_t glyph_rows = static_cast<std::size_t>(view.height) - 1;
  if (view.pixel_bytes < row_bytes * (glyph_rows + 1)) return nullptr;
  std::vector<Glyph> glyphs = glyphs_from_marker_row(view.pixels + row_bytes * glyph_rows, view.width, 2);
  if (glyphs.size() != kGlyphCount) return nullptr;
  std::vector<uint8_t> pairs(view.pixels, view.pixels + row_bytes * glyph_rows);
  return std::unique_ptr<MulticolorFont>(new MulticolorFont(std::move(glyphs), view.width, static_cast<int>(glyph_rows),
                                                            std::move(pairs), view.palette_words()));
}

MulticolorFont::MulticolorFont(std::vector<Glyph> glyphs, int strip_width, int glyph_height,
                               std::vector<uint8_t> pairs, const std::array<uint32_t, 256>& palette)
    : strip_width_(strip_width), pairs_(std::move(pairs)), palette_(palette) {
  glyphs_ = std::move(glyphs);
  glyph_height_ = glyph_height;
}

void MulticolorFont::draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                                const Rect& clip) const {
  draw_glyph_enlarged(dst, x, y, code, rgb, 1, clip);
}

void MulticolorFont::draw_glyph_enlarged(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t /*rgb*/,
                                         int factor, const Rect& clip) const {
  const Glyph& g = glyphs_[code];
  visit_source_pixels(dst, {g.start, 0, g.width, glyph_height_}, strip_width_, glyph_height_, x, y, factor, clip,
                      [this](uint32_t& d, std::size_t i) {
                        d = mix_pixel(d, palette_[pairs_[i * 2]], 255 - pairs_[i * 2 + 1]);
                      });
}

}  // namespace pengui
