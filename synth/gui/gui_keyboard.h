#pragma once
// The on-screen keyboard. A key pressed with the mouse is a note-on for the
// DSP object's MIDI receiver (channel 0, velocity from the height of the
// click), handed over through the keyboard manager's queue and played by
// the audio thread at its next block; notes the DSP object receives from
// MIDI are shown on the keys through the same manager, which belongs to the
// DSP object and is borrowed while the section is attached.

#include <memory>

#include "gui/piano_keyboard.h"
#include "synth/gui/gui_part.h"
#include "synth/plugin/midi_gui_keyboard_manager.h"

namespace synth {

class GuiKeyboard : public GuiPart, private pengui::PianoKeyboardListener {
public:
  // Velocity of a key released from the screen.
  static constexpr float kReleaseVelocity = 1.0f;

  GuiKeyboard() = default;

  bool build(GuiContext& ctx) override;
  void detach() override;
  void idle() override;

  const pengui::PianoKeyboard* keyboard() const { return keyboard_.get(); }

private:
  void key_pressed(int note, double velocity) override;
  void key_released(int note) override;
  void show_notes();

  std::unique_ptr<pengui::PianoKeyboard> keyboard_;
  MidiGuiKeyboardManager* manager_ = nullptr;  // the DSP object's, while attached
};

}  // namespace synth
