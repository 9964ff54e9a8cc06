#pragma once
// Turns where a piano key was hit into a note velocity on the MIDI
// velocity / 64 scale (0 .. 2, 1 = velocity 64).

namespace pengui {

class KeyVelocityMapperInterface {
public:
  virtual ~KeyVelocityMapperInterface() = default;
  // `y` is the click's vertical position; `top` and `bottom` the key's edges.
  virtual double velocity(int y, int top, int bottom) const = 0;
};

// Soft at the top edge of the key, 1 at mid-height, hard towards the front.
class KeyVelocityDefaultMapper : public KeyVelocityMapperInterface {
public:
  double velocity(int y, int top, int bottom) const override;
};

}  // namespace pengui
