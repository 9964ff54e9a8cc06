#pragma once
// A font strip of coverage bytes (0 to 255), drawn in any one colour.

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/apic_reader.h"
#include "gui/font.h"

namespace pengui {

class UnicolorFont final : public FontInterface {
public:
  // Null unless the view is a unicolour strip whose marker row marks
  // exactly 256 glyphs.
  static std::unique_ptr<UnicolorFont> create(const ApicView& view);

  // Each component becomes d + ((k - d) * c >> 8), c the coverage and k the
  // text colour's component.
  void draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                  const Rect& clip) const override;
  void draw_glyph_enlarged(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb, int factor,
                           const Rect& clip) const override;

private:
  UnicolorFont(std::vector<Glyph> glyphs, int strip_width, int glyph_height, std::vector<uint8_t> coverage);

  int strip_width_;
  std::vector<uint8_t> coverage_;  // the rows above the marker row
};

}  // namespace pengui
