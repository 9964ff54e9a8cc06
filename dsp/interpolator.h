#pragma once
// Table interpolators working on 32.32 fixed-point phases, integer only.

#include <cstdint>

namespace dsp {
namespace Interpolator {

// Four-point Catmull-Rom curve through samples index-1 .. index+2.
struct CubicHermite {
  template <typename T>
  static int32_t read(const T* level, uint64_t phase) {
    const T* p = level + static_cast<int32_t>(phase >> 32);
    const int32_t y0 = p[-1];
    const int32_t y1 = p[0];
    const int32_t y2 = p[1];
    const int32_t y3 = p[2];
    const int64_t t = static_cast<uint32_t>(phase) >> 1;  // fraction * 2^31

    const int32_t s = y2 - y0;
    const int32_t m = 2 * (y1 - y2);
    const int32_t pp = s + m;
    const int32_t q = y3 - y1 + m;
    int64_t k = (static_cast<int64_t>(2 * (pp + q)) * t) >> 32;
    k = (((k - (q + 2 * pp)) * t) >> 32) * 2;
    return static_cast<int32_t>(((s + k) * t) >> 32) + y1;
  }
};

}  // namespace Interpolator
}  // namespace dsp
