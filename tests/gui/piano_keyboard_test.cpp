#include "gui/piano_keyboard.h"

#include <gtest/gtest.h>

#include <vector>

#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::TestWindow;

// Notes played as +note, released as -note; velocities of the presses.
struct RecordingKeys : PianoKeyboardListener {
  std::vector<int> notes;
  std::vector<double> velocities;
  void key_pressed(int note, double velocity) override { notes.push_back(note), velocities.push_back(velocity); }
  void key_released(int note) override { notes.push_back(-note); }
};

// C2 .. C7: 36 white keys of 10 pixels, 100 pixels high, black keys 6 x 62.
class PianoKeyboardTest : public ::testing::Test {
protected:
  void SetUp() override {
    keys.set_bounds({0, 300, 360, 100});
    keys.set_listener(&played);
    tw.window.add(&keys);
    tw.settle();
  }
  TestWindow tw;
  PianoKeyboard keys;
  RecordingKeys played;
};

TEST_F(PianoKeyboardTest, DraggingMovesTheNoteFromKeyToKeyWithTheVelocityOfEachHit) {
  tw.press({145, 390});  // C4
  tw.move({147, 380});   // same key: nothing
  tw.move({155, 350});   // D4
  tw.move({400, 350});   // off the keyboard
  tw.move({160, 325});   // D#4, back on
  tw.release({160, 325});
  EXPECT_EQ(played.notes, (std::vector<int>{60, -60, 62, -62, 63, -63}));
  EXPECT_EQ(played.velocities, (std::vector<double>{1.8, 1.0, 2.0 * 25 / 62}));
}

TEST_F(PianoKeyboardTest, LosingTheMouseReleasesTheHeldNote) {
  tw.press({145, 390});
  tw.window.close();
  EXPECT_EQ(played.notes, (std::vector<int>{60, -60}));
}

}  // namespace
}  // namespace pengui
