#pragma once
// The drawing loops shared by the four picture classes. `Pixels` tells the
// colour (0xUURRGGBB) and alpha of picture pixel i (row-major index); the
// opaque formats answer alpha 255, which the compiler folds into plain copies.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "gui/pic_data.h"
#include "gui/pic_data_blend.h"
#include "gui/pic_data_visit.h"

namespace pengui {

template <class Pixels>
class PicDataBase : public PicDataInterface {
public:
  void draw(RenderBuffer& dst, int x, int y, const Rect& clip) const override {
    draw_part_enlarged(dst, {0, 0, width(), height()}, x, y, 1, clip);
  }

  void draw_multiplied(RenderBuffer& dst, int x, int y, const Rect& clip) const override {
    visit(dst, {0, 0, width(), height()}, x, y, 1, clip, [this](uint32_t& d, std::size_t i) {
      d = blend_pixel(d, multiply_pixel(d, pixels_.colour(i)), pixels_.alpha(i));
    });
  }

  void draw_part(RenderBuffer& dst, const Rect& src, int x, int y, const Rect& clip) const override {
    draw_part_enlarged(dst, src, x, y, 1, clip);
  }

  void draw_part_enlarged(RenderBuffer& dst, const Rect& src, int x, int y, int factor,
                          const Rect& clip) const override {
    visit(dst, src, x, y, factor, clip,
          [this](uint32_t& d, std::size_t i) { d = blend_pixel(d, pixels_.colour(i), pixels_.alpha(i)); });
  }

  void accumulate(int32_t* acc, int acc_width, int acc_height, int x, int y) const override {
    if (!acc || acc_width <= 0 || acc_height <= 0) return;
    const int64_t l = std::max<int64_t>(x, 0);
    const int64_t t = std::max<int64_t>(y, 0);
    const int64_t r = std::min<int64_t>(int64_t{x} + width(), acc_width);
    const int64_t b = std::min<int64_t>(int64_t{y} + height(), acc_height);
    for (int64_t py = t; py < b; ++py) {
      for (int64_t px = l; px < r; ++px) {
        const std::size_t i = static_cast<std::size_t>((py - y) * width() + (px - x));
        const uint32_t c = pixels_.colour(i);
        int32_t* slot = acc + (py * acc_width + px) * 4;
        slot[0] += static_cast<int32_t>(c & 0xFFu);
        slot[1] += static_cast<int32_t>((c >> 8) & 0xFFu);
        slot[2] += static_cast<int32_t>((c >> 16) & 0xFFu);
        slot[3] += pixels_.alpha(i);
      }
    }
  }

  void export_to(uint32_t* dst) const override {
    if (!dst) return;
    const std::size_t n = static_cast<std::size_t>(width()) * static_cast<std::size_t>(height());
    for (std::size_t i = 0; i < n; ++i) dst[i] = pixels_.colour(i) & 0x00FFFFFFu;
  }

protected:
  PicDataBase(int width, int height, Pixels pixels)
      : PicDataInterface(width, height), pixels_(std::move(pixels)) {}

  int alpha_of(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    return pixels_.alpha(static_cast<std::size_t>(y) * static_cast<std::size_t>(width()) + x);
  }

  void tint(RenderBuffer& dst, int x, int y, uint32_t rgb, const Rect& clip) const {
    visit(dst, {0, 0, width(), height()}, x, y, 1, clip, [this, rgb](uint32_t& d, std::size_t i) {
      d = blend_pixel(d, (d & 0xFF000000u) | (rgb & 0x00FFFFFFu), pixels_.alpha(i));
    });
  }

  template <class Fn>
  void visit(RenderBuffer& dst, const Rect& src, int x, int y, int factor, const Rect& clip, Fn&& fn) const {
    visit_source_pixels(dst, src, width(), height(), x, y, factor, clip, std::forward<Fn>(fn));
  }

  Pixels pixels_;
};

}  // namespace pengui
