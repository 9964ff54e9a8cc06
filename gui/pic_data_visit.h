#pragma once
// The clipping walk behind every picture and glyph draw.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "gui/geometry.h"
#include "gui/render_buffer.h"

namespace pengui {

// Largest enlargement drawn; more is a caller's mistake and draws nothing.
constexpr int kMaxEnlarge = 8;

// Calls fn(destination pixel, source index) for every device pixel that the
// part `src` of a pic_w x pic_h source (row-major index y * pic_w + x),
// drawn at (x, y) with each source pixel factor x factor wide, puts inside
// both the clip and the buffer. The parts of `src` outside the source are
// skipped. Sums run in 64 bits so that no position, however far off, wraps
// around into the buffer.
template <class Fn>
void visit_source_pixels(RenderBuffer& dst, const Rect& src, int pic_w, int pic_h, int x, int y, int factor,
                         const Rect& clip, Fn&& fn) {
  if (factor < 1 || factor > kMaxEnlarge || src.w <= 0 || src.h <= 0) return;
  const int64_t src_l = std::max<int64_t>(src.x, 0);
  const int64_t src_t = std::max<int64_t>(src.y, 0);
  const int64_t src_r = std::min<int64_t>(int64_t{src.x} + src.w, pic_w);
  const int64_t src_b = std::min<int64_t>(int64_t{src.y} + src.h, pic_h);
  if (src_r <= src_l || src_b <= src_t) return;
  // Device position of the visible part's top-left source pixel.
  const int64_t ox = int64_t{x} + (src_l - src.x) * factor;
  const int64_t oy = int64_t{y} + (src_t - src.y) * factor;

  const int64_t l = std::max({ox, int64_t{clip.x}, int64_t{0}});
  const int64_t t = std::max({oy, int64_t{clip.y}, int64_t{0}});
  const int64_t r = std::min({ox + (src_r - src_l) * factor, int64_t{clip.x} + clip.w, int64_t{dst.width()}});
  const int64_t b = std::min({oy + (src_b - src_t) * factor, int64_t{clip.y} + clip.h, int64_t{dst.height()}});
  if (r <= l || b <= t) return;

  const int64_t first_sx = src_l + (l - ox) / factor;
  const int64_t first_phase = (l - ox) % factor;
  for (int64_t py = t; py < b; ++py) {
    const int64_t sy = src_t + (py - oy) / factor;
    std::size_t i = static_cast<std::size_t>(sy * pic_w + first_sx);
    int64_t phase = first_phase;
    uint32_t* row = dst.row(static_cast<int>(py));
    for (int64_t px = l; px < r; ++px) {
      fn(row[px], i);
      if (++phase == factor) {
        phase = 0;
        ++i;
      }
    }
  }
}

}  // namespace pengui
