#pragma once
// A rendered picture in straight (not premultiplied) RGBA, rows from the
// top, as the APIC writer takes it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;

  Raster() = default;
  Raster(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h)) {}
  Rgba& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  const Rgba& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

}  // namespace artgen
