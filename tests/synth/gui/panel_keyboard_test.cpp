#include <gtest/gtest.h>

#include <vector>

#include "panel_rig.h"

namespace panel_test {
namespace {

pengui::Point key_point(const pengui::PianoKeyboard& keys, int note, double height_fraction) {
  const pengui::Rect k = keys.key_rect(note);
  return {k.x + k.w / 2, k.y + static_cast<int>(height_fraction * k.h)};
}

// A click plays the key on the audio thread with the velocity of where it
// was hit (MIDI velocity / 64).
TEST(PanelKeyboard, AClickPlaysTheNoteWithTheVelocityOfItsHeight) {
  const struct {
    int note;
    double height;  // where on the key, 0 top .. 1 bottom
    float velocity;
  } cases[] = {{36, 0.25, 0.5f}, {61, 0.5, 1.0f}, {84, 0.75, 1.5f}};
  PanelRig r;
  const pengui::PianoKeyboard& keys = *r.keyboard.keyboard();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.note);
    r.rig.dsp.notes.clear();
    const pengui::Point at = key_point(keys, c.note, c.height);
    r.press(at);
    EXPECT_TRUE(r.rig.dsp.notes.empty());
    r.render();
    r.release(at);
    r.render();
    ASSERT_EQ(r.rig.dsp.notes.size(), 2u);
    const NoteCall& on = r.rig.dsp.notes[0];
    const NoteCall& off = r.rig.dsp.notes[1];
    EXPECT_TRUE(on.on && on.channel == 0 && on.note == c.note && on.pitch == static_cast<float>(c.note));
    EXPECT_NEAR(on.velocity, c.velocity, 0.05f);
    EXPECT_TRUE(!off.on && off.note == c.note);
  }
}

// The sounding notes belong to the DSP object, not to a keyboard section: a
// section built over a DSP object that already holds a note shows it.
TEST(PanelKeyboard, ASectionBuiltOverAHeldNoteShowsIt) {
  PanelRig r;
  r.keyboard.detach();
  r.rig.dsp.note_on(0, 60, 60.0f, 0.0f, 1.0f, 0);
  synth::GuiKeyboard reopened;
  pengui::Window window{900, 446};  // goes first: it lets go of the keys
  synth::GuiContext ctx = r.ctx;
  ctx.window = &window;
  ASSERT_TRUE(reopened.build(ctx));
  EXPECT_TRUE(reopened.keyboard()->is_key_down(60));
  EXPECT_FALSE(reopened.keyboard()->is_key_down(61));
  reopened.detach();
}

}  // namespace
}  // namespace panel_test
