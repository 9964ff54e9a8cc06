#pragma once
// The editor's retained picture: 32-bit pixels, bytes blue, green, red and
// one unused byte (0x00RRGGBB read as a little-endian word), rows from the
// top, `width` pixels per row. The window uploads it to the screen.

#include <cstdint>
#include <vector>

#include "gui/geometry.h"

namespace pengui {

class RenderBuffer {
public:
  RenderBuffer() = default;
  RenderBuffer(int width, int height) { resize(width, height); }

  void resize(int width, int height) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0u);
  }
  int width() const { return width_; }
  int height() const { return height_; }
  Rect bounds() const { return {0, 0, width_, height_}; }
  uint32_t* data() { return pixels_.data(); }
  const uint32_t* data() const { return pixels_.data(); }
  uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  uint32_t pixel(int x, int y) const { return row(y)[x]; }

  // Fills the part of `r` inside the buffer with 0x00RRGGBB.
  void fill(const Rect& r, uint32_t rgb) {
    const Rect c = r.intersect(bounds());
    for (int y = c.y; y < c.bottom(); ++y) {
      uint32_t* p = row(y) + c.x;
      for (int x = 0; x < c.w; ++x) p[x] = rgb & 0x00FFFFFFu;
    }
  }

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace pengui
