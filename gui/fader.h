#pragma once
// A vertical fader: a cap picture that slides over the track drawn by the
// panel, at the top for 1 and the bottom for 0. Dragged anywhere on it;
// the mouse moves the cap one to one (drag length = travel).

#include "gui/image.h"
#include "gui/pot_interface.h"

namespace pengui {

class Fader : public PotInterface {
public:
  static constexpr int kPlainCapHeight = 10;  // without a cap picture

  explicit Fader(const Rect& track);

  // The cap picture, centred across the track, and the one shown while it
  // is held (may be null); not owned.
  void set_cap(const Image* cap, const Image* pressed = nullptr);
  int travel() const;             // pixels between the two ends
  Rect cap_rect(double value) const;

  bool mouse_down(const MouseEvent& e) override;
  void draw(Canvas& canvas) override;

protected:
  Point release_cursor_offset() const override;

private:
  int cap_width() const;
  int cap_height() const;

  const Image* cap_ = nullptr;
  const Image* pressed_cap_ = nullptr;
};

}  // namespace pengui
