#pragma once
// The on-screen keyboard: white and black keys over a note range. A press
// plays the key under the mouse with a velocity from where the key was hit;
// dragging to another key releases the first and plays the next. Notes
// held elsewhere (MIDI) are shown with set_note_shown / all_off; only keys
// whose look changes are repainted.

#include <algorithm>
#include <array>

#include "gui/key_velocity_mapper.h"
#include "gui/widget.h"

namespace pengui {

// Told on the editor thread; velocity on the MIDI velocity / 64 scale (0 .. 2).
class PianoKeyboardListener {
public:
  virtual ~PianoKeyboardListener() = default;
  virtual void key_pressed(int note, double velocity) = 0;
  virtual void key_released(int note) = 0;
};

class PianoKeyboard : public Widget {
public:
  static constexpr int kNbrNotes = 128;

  PianoKeyboard() = default;

  // Both ends white keys in 0 .. 127, first below last; false changes nothing.
  bool set_range(int first_note, int last_note);
  int first_note() const { return first_; }
  int last_note() const { return last_; }
  void set_listener(PianoKeyboardListener* listener) { listener_ = listener; }
  // Not owned; null restores the default mapper.
  void set_velocity_mapper(const KeyVelocityMapperInterface* mapper);

  // A note sounding or stopped elsewhere; notes outside 0 .. 127 are ignored.
  void set_note_shown(int note, bool down);
  void all_off();
  // Shown down: held by the mouse or shown from elsewhere.
  bool is_key_down(int note) const;

  static bool is_black(int note);
  // The key's area in window coordinates; empty outside the range.
  Rect key_rect(int note) const;
  // The key under `p` (black keys lie on top); -1 outside the keyboard.
  int note_at(Point p) const;

  void draw(Canvas& canvas) override;
  bool mouse_down(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  void capture_lost() override;

private:
  int white_count() const;
  int white_index(int note) const;  // white keys below `note` in the range
  Rect white_rect(int index) const;
  void press(int note, int y);
  void release();
  // Runs `change` and repaints the key if its look changed.
  template <typename Change>
  void change_look(int note, Change change);

  int first_ = 36;
  int last_ = 96;
  PianoKeyboardListener* listener_ = nullptr;
  KeyVelocityDefaultMapper default_mapper_;
  const KeyVelocityMapperInterface* mapper_ = &default_mapper_;
  std::array<bool, kNbrNotes> shown_{};
  int held_ = -1;
  bool dragging_ = false;
};

}  // namespace pengui
