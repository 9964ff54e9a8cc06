#pragma once
// A rotary knob: a cap picture with a pointer at the angle of its value,
// taken from a strip of pointer frames or drawn as a line. Dragging in the
// upper part sets the value; pressing a lower corner runs it down (left)
// or up (right) until the button is let go.

#include <cstdint>

#include "gui/image.h"
#include "gui/pot_interface.h"

namespace pengui {

class Knob : public PotInterface {
public:
  static constexpr double kDefaultStartTurns = 0.625;
  static constexpr double kDefaultSweepTurns = -0.75;

  explicit Knob(const Rect& bounds);

  // Pictures are centred in the bounds and not owned. `pressed` ones (may
  // be null) show while the knob is held. Without a cap a disc is drawn.
  void set_cap(const Image* cap, const Image* pressed = nullptr);
  // A vertical strip of `frames` pointer pictures, the first at value 0 and
  // the last at value 1; it replaces the drawn pointer line.
  void set_pointer_strip(const Image* strip, int frames, const Image* pressed = nullptr);
  int pointer_frame() const;  // the strip frame for the current value
  // The drawn pointer from `inner` to `outer` times the knob's radius.
  void set_pointer(uint32_t rgb, float width, float inner, float outer);
  // angle = (value * sweep + start) * 2 pi, counter-clockwise from 3 o'clock.
  void set_angles(double start_turns, double sweep_turns);
  double sweep_turns() const { return sweep_turns_; }
  double pointer_angle() const;  // radians, for the current value

  void draw(Canvas& canvas) override;

protected:
  int run_step_at(Point pos) const override;

private:
  const Image* cap_ = nullptr;
  const Image* pressed_cap_ = nullptr;
  const Image* strip_ = nullptr;
  const Image* pressed_strip_ = nullptr;
  int strip_frames_ = 0;
  uint32_t pointer_rgb_ = 0xF0F0F0u;
  float pointer_width_ = 2.0f;
  float pointer_inner_ = 0.3f;
  float pointer_outer_ = 0.8f;
  double start_turns_ = kDefaultStartTurns;
  double sweep_turns_ = kDefaultSweepTurns;
};

}  // namespace pengui
