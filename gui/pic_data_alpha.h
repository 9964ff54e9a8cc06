#pragma once
// What pictures with an alpha channel offer beyond drawing: the mask alone.

#include <cstdint>

#include "gui/geometry.h"
#include "gui/render_buffer.h"

namespace pengui {

class AlphaMaskInterface {
public:
  virtual ~AlphaMaskInterface() = default;

  // Alpha (0 = transparent) of the picture pixel at (x, y); 0 outside the
  // picture. Lets round controls ignore clicks in their transparent corners.
  virtual int alpha_at(int x, int y) const = 0;
  // Blends one colour 0xRRGGBB through the mask (shadows, glows, lit lamps).
  virtual void draw_tinted(RenderBuffer& dst, int x, int y, uint32_t rgb, const Rect& clip) const = 0;
};

}  // namespace pengui
