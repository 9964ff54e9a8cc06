#include <gtest/gtest.h>

#include <vector>

#include "panel_rig.h"

namespace panel_test {
namespace {

constexpr int kControlChange = 11;  // status nibble
constexpr int kAllNotesOff = 123;

pengui::Point key_point(const pengui::PianoKeyboard& keys, int note, double height_fraction) {
  const pengui::Rect k = keys.key_rect(note);
  return {k.x + k.w / 2, k.y + static_cast<int>(height_fraction * k.h)};
}

struct KeyCase {
  int note;
  double height;     // where on the key, 0 top .. 1 bottom
  float velocity;    // MIDI velocity / 64
};

TEST(PanelKeyboard, AClickPlaysTheNoteWithTheVelocityOfItsHeight) {
  const KeyCase cases[] = {
      {60, 0.5, 1.0f},   // middle C at mid-height: velocity 64
      {36, 0.25, 0.5f},  // the lowest key, near its top
      {84, 0.75, 1.5f},  // the last C, towards the front
      {61, 0.5, 1.0f},   // a black key
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.note);
    PanelRig r;
    const pengui::PianoKeyboard& keys = *r.keyboard.keyboard();
    const pengui::Point at = key_point(keys, c.note, c.height);
    r.press(at);
    EXPECT_TRUE(r.rig.dsp.notes.empty());  // played by the audio thread
    r.render();
    r.release(at);
    r.render();
    ASSERT_EQ(r.rig.dsp.notes.size(), 2u);
    const NoteCall& on = r.rig.dsp.notes[0];
    const NoteCall& off = r.rig.dsp.notes[1];
    EXPECT_TRUE(on.on && on.channel == 0 && on.note == c.note && on.value == 0.0f && on.flag == 0);
    EXPECT_EQ(on.pitch, static_cast<float>(c.note));
    EXPECT_NEAR(on.velocity, c.velocity, 0.05f);
    EXPECT_TRUE(!off.on && off.channel == 0 && off.note == c.note && off.velocity == 1.0f);
  }
}

TEST(PanelKeyboard, NotesFromMidiShowOnTheKeys) {
  PanelRig r;
  const pengui::PianoKeyboard& keys = *r.keyboard.keyboard();
  const pengui::Point e4 = key_point(keys, 64, 0.9);
  r.window.render_dirty();
  const uint32_t up_colour = r.window.buffer().pixel(e4.x, e4.y);

  // What the host's MIDI does: the DSP object's receiver, on the audio side.
  r.rig.dsp.note_on(0, 64, 64.0f, 0.0f, 1.0f, 1);
  r.rig.dsp.note_on(0, 67, 67.0f, 0.0f, 1.0f, 1);
  EXPECT_FALSE(keys.is_key_down(64));  // shown on the next idle
  r.idle();
  EXPECT_TRUE(keys.is_key_down(64));
  EXPECT_TRUE(keys.is_key_down(67));
  EXPECT_FALSE(keys.is_key_down(65));
  EXPECT_NE(r.window.buffer().pixel(e4.x, e4.y), up_colour);

  r.rig.dsp.note_off(0, 64, 0.5f);
  r.idle();
  EXPECT_FALSE(keys.is_key_down(64));
  EXPECT_TRUE(keys.is_key_down(67));
  EXPECT_EQ(r.window.buffer().pixel(e4.x, e4.y), up_colour);

  r.rig.dsp.channel_message(0, kControlChange, kAllNotesOff, 0);
  r.idle();
  EXPECT_FALSE(keys.is_key_down(67));
}

TEST(PanelKeyboard, DetachLetsGoOfTheDspSide) {
  PanelRig r;
  r.keyboard.detach();
  r.rig.dsp.note_on(0, 64, 64.0f, 0.0f, 1.0f, 1);
  EXPECT_FALSE(r.keyboard.manager().test_and_clear_changed());
  r.idle();
  EXPECT_FALSE(r.keyboard.keyboard()->is_key_down(64));
  // A key pressed after detaching plays nothing.
  r.rig.dsp.notes.clear();
  r.press(key_point(*r.keyboard.keyboard(), 60, 0.5));
  r.release(key_point(*r.keyboard.keyboard(), 60, 0.5));
  r.render();
  EXPECT_TRUE(r.rig.dsp.notes.empty());
}

}  // namespace
}  // namespace panel_test
