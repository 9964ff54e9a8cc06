#include "gui/piano_keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/key_velocity_mapper.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::TestWindow;

TEST(KeyVelocityDefaultMapper, MapsTheHitPositionInsideTheKey) {
  struct Case { int y, top, bottom; double velocity; };
  const Case cases[] = {
      {25, 0, 100, 0.5},   {100, 0, 100, 2.0},  {-10, 0, 100, 0.0},  // above: limited
      {150, 0, 100, 2.0},  {345, 300, 360, 1.5}, {40, 12, 12, 1.0},  // no height
  };
  const KeyVelocityDefaultMapper mapper;
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(mapper.velocity(c.y, c.top, c.bottom), c.velocity) << c.y << " in " << c.top << ".." << c.bottom;
  }
}

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

TEST_F(PianoKeyboardTest, KeyGeometry) {
  const std::pair<int, Rect> cases[] = {
      {36, {0, 300, 10, 100}},   // C2, first white key
      {37, {7, 300, 6, 62}},     // C#2 on the edge between C2 and D2
      {41, {30, 300, 10, 100}},  // F2: no black key between E and F
      {42, {37, 300, 6, 62}},    // F#2
      {96, {350, 300, 10, 100}}, // C7, last
      {35, {}},                  // outside the range
      {97, {}},
  };
  for (const auto& [note, rect] : cases) EXPECT_EQ(keys.key_rect(note), rect) << note;
}

TEST_F(PianoKeyboardTest, NoteUnderThePointer) {
  const std::pair<Point, int> cases[] = {
      {{146, 330}, 60},  // C4 beside C#4's left edge
      {{147, 330}, 61},  // C#4 lies over C4 and D4
      {{152, 361}, 61},  // last row of C#4
      {{152, 362}, 62},  // just below it: D4
      {{153, 330}, 62},  // right of C#4
      {{359, 399}, 96},
      {{360, 350}, -1},  // right of the keyboard
      {{100, 299}, -1},  // above it
  };
  for (const auto& [p, note] : cases) EXPECT_EQ(keys.note_at(p), note) << p.x << "," << p.y;
}

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

TEST_F(PianoKeyboardTest, NotesShownFromElsewhereRepaintOnlyTheirKey) {
  const Point e5 = {keys.key_rect(76).x + 5, 390};  // below the black keys
  const uint32_t idle_white = tw.pixel(e5);
  keys.set_note_shown(76, true);
  keys.set_note_shown(200, true);  // no such note
  keys.set_note_shown(20, true);   // below the range: remembered, not drawn
  tw.window.render_dirty();
  EXPECT_EQ(tw.native->presented, std::vector<Rect>{keys.key_rect(76)});
  EXPECT_NE(tw.pixel(e5), idle_white);
  EXPECT_EQ(tw.pixel({e5.x + 10, 390}), idle_white);  // F5
  EXPECT_TRUE(keys.is_key_down(20));
  keys.all_off();
  tw.settle();
  EXPECT_EQ(tw.pixel(e5), idle_white);
  EXPECT_FALSE(keys.is_key_down(20));
}

TEST_F(PianoKeyboardTest, BadRangesChangeNothing) {
  const std::pair<int, int> bad[] = {{37, 96}, {60, 60}, {72, 60}, {-12, 60}, {36, 128}};
  for (const auto& [first, last] : bad) {
    EXPECT_FALSE(keys.set_range(first, last)) << first << ".." << last;
    EXPECT_TRUE(keys.first_note() == 36 && keys.last_note() == 96);
  }
  ASSERT_TRUE(keys.set_range(48, 72));  // two octaves: 15 white keys of 24 pixels
  EXPECT_EQ(keys.key_rect(48), (Rect{0, 300, 24, 100}));
  EXPECT_EQ(keys.key_rect(72), (Rect{336, 300, 24, 100}));
}

TEST_F(PianoKeyboardTest, LosingTheMouseReleasesTheHeldNote) {
  tw.press({145, 390});
  tw.window.close();
  EXPECT_EQ(played.notes, (std::vector<int>{60, -60}));
}

}  // namespace
}  // namespace pengui
