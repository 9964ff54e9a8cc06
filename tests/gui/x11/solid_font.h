#pragma once
// Fixed-width solid glyphs, 6 x 8 pixels: enough to type into text fields.

#include <memory>

#include "gui/font.h"
#include "gui/image.h"

namespace pengui::testing {

class SolidFont : public FontInterface {
public:
  SolidFont() {
    for (int i = 0; i < 256; ++i) glyphs_.push_back({i * 6, 6});
    glyph_height_ = 8;
  }
  void draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb, const Rect& clip) const override {
    if (code != ' ') dst.fill(Rect{x, y, 5, glyph_height_}.intersect(clip), rgb);
  }
};

inline FontSet make_solid_font() {
  FontSet f;
  f.x1 = std::make_unique<SolidFont>();
  return f;
}

}  // namespace pengui::testing
