#pragma once
// Palette pictures: one index byte per pixel (PicData8), or index then
// alpha (AlphaPicData8).

#include <array>
#include <cstdint>
#include <vector>

#include "gui/apic_reader.h"
#include "gui/pic_data_alpha.h"
#include "gui/pic_data_base.h"

namespace pengui {

// Stride: bytes per pixel, 1, or 2 with alpha.
template <int Stride>
struct IndexedPixels {
  std::vector<uint8_t> bytes;
  std::array<uint32_t, 256> palette{};

  uint32_t colour(std::size_t i) const { return palette[bytes[i * Stride]]; }
  int alpha(std::size_t i) const { return Stride == 2 ? bytes[i * Stride + 1] : 255; }
};

// The views given to the constructors must be of the class's own format
// (PicDataFactory makes sure); a short pixel block reads as index 0.
class PicData8 final : public PicDataBase<IndexedPixels<1>> {
public:
  explicit PicData8(const ApicView& view);
};

class AlphaPicData8 final : public PicDataBase<IndexedPixels<2>>, public AlphaMaskInterface {
public:
  explicit AlphaPicData8(const ApicView& view);
  int alpha_at(int x, int y) const override { return alpha_of(x, y); }
  void draw_tinted(RenderBuffer& dst, int x, int y, uint32_t rgb, const Rect& clip) const override {
    tint(dst, x, y, rgb, clip);
  }
};

}  // namespace pengui
