#pragma once
// A two-state switch: each press flips it between 0 and 1 and sends the new
// value at click priority. A value of 0.5 or more reads as on, whatever set
// it. Shows an on and an off picture (a lamp), or a plain lamp without them.

#include <cstdint>

#include "gui/image.h"
#include "gui/listened_control.h"
#include "gui/widget.h"

namespace pengui {

class FlipFlop : public Widget, public ControlInterface {
public:
  static constexpr int kPrio = 200;

  FlipFlop() = default;
  // Not owned; either may be null for the plain look.
  void set_images(const Image* off, const Image* on);
  void set_lamp_colours(uint32_t off_rgb, uint32_t on_rgb);

  bool is_on() const { return get_value() >= 0.5; }

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;

protected:
  void store_value(double nrm) override;

private:
  const Image* off_ = nullptr;
  const Image* on_ = nullptr;
  uint32_t off_colour_ = 0x4A1C14;
  uint32_t on_colour_ = 0xF04A28;
};

}  // namespace pengui
