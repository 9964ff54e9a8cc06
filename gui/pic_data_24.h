#pragma once
// Direct-colour pictures: blue, green, red per pixel (PicData24), then
// alpha (AlphaPicData24).

#include <cstdint>
#include <vector>

#include "gui/apic_reader.h"
#include "gui/pic_data_alpha.h"
#include "gui/pic_data_base.h"

namespace pengui {

// Stride: bytes per pixel, 3, or 4 with alpha.
template <int Stride>
struct DirectPixels {
  std::vector<uint8_t> bytes;

  uint32_t colour(std::size_t i) const {
    const uint8_t* p = &bytes[i * Stride];
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
  }
  int alpha(std::size_t i) const { return Stride == 4 ? bytes[i * Stride + 3] : 255; }
};

// The views given to the constructors must be of the class's own format
// (PicDataFactory makes sure); a short pixel block reads as black.
class PicData24 final : public PicDataBase<DirectPixels<3>> {
public:
  explicit PicData24(const ApicView& view);
};

class AlphaPicData24 final : public PicDataBase<DirectPixels<4>>, public AlphaMaskInterface {
public:
  explicit AlphaPicData24(const ApicView& view);
  int alpha_at(int x, int y) const override { return alpha_of(x, y); }
  void draw_tinted(RenderBuffer& dst, int x, int y, uint32_t rgb, const Rect& clip) const override {
    tint(dst, x, y, rgb, clip);
  }
};

}  // namespace pengui
