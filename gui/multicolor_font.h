#pragma once
// A font strip with its own colours: palette index, then transparency
// (0 = opaque) per pixel.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/apic_reader.h"
#include "gui/font.h"

namespace pengui {

class MulticolorFont final : public FontInterface {
public:
  // Null unless the view is an 8-bit strip with alpha whose marker row (the
  // index bytes of the bottom row) marks exactly 256 glyphs.
  static std::unique_ptr<MulticolorFont> create(const ApicView& view);

  // Each component becomes d + ((p - d) * (255 - t) >> 8), p the palette
  // colour's component and t the transparency; `rgb` is not used.
  void draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb,
                  const Rect& clip) const override;
  void draw_glyph_enlarged(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb, int factor,
                           const Rect& clip) const override;

private:
  MulticolorFont(std::vector<Glyph> glyphs, int strip_width, int glyph_height, std::vector<uint8_t> pairs,
                 const std::array<uint32_t, 256>& palette);

  int strip_width_;
  std::vector<uint8_t> pairs_;  // the rows above the marker row
  std::array<uint32_t, 256> palette_;
};

}  // namespace pengui
