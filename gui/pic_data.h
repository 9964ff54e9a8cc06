#pragma once
// A picture read from an "APIC" resource, drawn into the rendering buffer.
// Every operation clips to `clip` and to the buffer, and reads no pixel
// outside the picture.

#include <cstdint>

#include "gui/geometry.h"
#include "gui/render_buffer.h"

namespace pengui {

class PicDataInterface {
public:
  virtual ~PicDataInterface() = default;

  // Copies (opaque pictures) or blends by alpha (alpha pictures) with the
  // picture's top-left corner at (x, y) of the buffer.
  virtual void draw(RenderBuffer& dst, int x, int y, const Rect& clip) const = 0;
  // Multiplies the buffer by the picture's colours (d * p >> 8), blended by alpha.
  virtual void draw_multiplied(RenderBuffer& dst, int x, int y, const Rect& clip) const = 0;
  // Draws only the part `src` (picture coordinates) at (x, y): strips of frames.
  virtual void draw_part(RenderBuffer& dst, const Rect& src, int x, int y, const Rect& clip) const = 0;
  // draw_part with every picture pixel drawn as a factor x factor square: a
  // picture that exists only at 1x, shown at 2x. The fallback here is slow.
  virtual void draw_part_enlarged(RenderBuffer& dst, const Rect& src, int x, int y, int factor,
                                  const Rect& clip) const {
    for (int sy = 0; sy < src.h; ++sy) {
      for (int sx = 0; sx < src.w; ++sx) {
        for (int k = 0; k < factor * factor; ++k) {
          draw_part(dst, {src.x + sx, src.y + sy, 1, 1}, x + sx * factor + k % factor,
                    y + sy * factor + k / factor, clip);
        }
      }
    }
  }
  // Adds red, green and blue of every pixel into `acc` (four ints per pixel,
  // `acc_width` pixels per row) at (x, y). The ints of a pixel take blue,
  // green, red and alpha (255 for opaque pictures), the buffer's byte order.
  virtual void accumulate(int32_t* acc, int acc_width, int acc_height, int x, int y) const = 0;
  // Writes the picture as 0x00RRGGBB pixels, width() per row (alpha dropped).
  virtual void export_to(uint32_t* dst) const = 0;

  int width() const { return width_; }
  int height() const { return height_; }

protected:
  PicDataInterface(int width, int height) : width_(width), height_(height) {}

private:
  int width_;
  int height_;
};

}  // namespace pengui
