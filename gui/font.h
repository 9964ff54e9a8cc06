#pragma once
// A bitmap font: one strip of 256 glyphs in character-code order, with
// individual widths read from the strip's marker row.

#include <cstdint>
#include <string_view>
#include <vector>

#include "gui/geometry.h"
#include "gui/render_buffer.h"

namespace pengui {

struct Glyph {
  int start = 0;  // first column in the strip
  int width = 0;
};

class FontInterface {
public:
  virtual ~FontInterface() = default;

  // Draws glyph `code` with its box's top-left corner at (x, y), coloured
  // 0xRRGGBB (unicolour) or with its own colours (multicolour).
  virtual void draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                          const Rect& clip) const = 0;
  // The same with every strip pixel drawn as a factor x factor square: a
  // font that exists only at 1x, shown at 2x. Fonts that cannot enlarge
  // draw at their own size.
  virtual void draw_glyph_enlarged(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                                   int /*factor*/, const Rect& clip) const {
    draw_glyph(dst, x, y, code, rgb, clip);
  }

  const std::vector<Glyph>& glyphs() const { return glyphs_; }
  int glyph_height() const { return glyph_height_; }  // rows above the marker row
  int text_width(std::string_view text) const {
    int w = 0;
    for (unsigned char c : text) w += glyphs_[c].width;
    return w;
  }

protected:
  std::vector<Glyph> glyphs_;
  int glyph_height_ = 0;
};

}  // namespace pengui
