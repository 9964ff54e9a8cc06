#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/apic_bytes.h"
#include "gui/knob.h"
#include "gui/pic_data_factory.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

uint32_t red(uint32_t rgb) { return (rgb >> 16) & 0xFF; }

// `colours.size()` square frames of side `side` stacked downwards, frame
// k filled with colours[k].
Image strip_image(int side, const std::vector<uint32_t>& colours) {
  apic_test::ApicFields fields;
  fields.width = side, fields.height = side * static_cast<int>(colours.size()), fields.palette = colours;
  for (int y = 0; y < fields.height; ++y) fields.pixels.insert(fields.pixels.end(), side, static_cast<uint8_t>(y / side));
  const std::vector<uint8_t> bytes = apic_test::apic_bytes(fields);
  Image img;
  img.x1 = PicDataFactory::create(bytes.data(), bytes.size());
  return img;
}

class KnobFaderTest : public ::testing::Test {
protected:
  void SetUp() override { tw.window.add(&knob), knob.attach(&rec); }

  testing::TestWindow tw;
  Knob knob{{20, 20, 36, 36}};
  testing::RecordingListener rec;
};

TEST_F(KnobFaderTest, PointerIsDrawnAtTheValuesAngle) {
  knob.set_pointer(0xFFFFFFu, 3.0f, 0.2f, 0.95f);
  // Centre (38, 38), radius 18; look 12 pixels out along each direction.
  struct Case {
    double value;
    int x, y;
  } cases[] = {{0.0, 38 - 8, 38 + 8}, {0.5, 38, 38 - 12}, {1.0 / 3, 38 - 8, 38 - 8}};  // 225, 90, 135 degrees
  for (const Case& c : cases) {
    knob.set_no_send(c.value, 255);
    tw.window.idle();
    EXPECT_GT(red(tw.window.buffer().pixel(c.x, c.y)), 0xC0u) << c.value;
    // The opposite side shows the plain cap.
    EXPECT_EQ(tw.window.buffer().pixel(2 * 38 - c.x, 2 * 38 - c.y), 0x383838u) << c.value;
  }
}

TEST_F(KnobFaderTest, PointerStripShowsTheFrameOfTheValueAndThePressedStripWhileHeld) {
  const Image strip = strip_image(4, {0x400000u, 0x800000u, 0xC00000u});
  const Image held = strip_image(4, {0x004000u, 0x008000u, 0x00C000u});
  knob.set_pointer_strip(&strip, 3, &held);
  // The 4 x 4 frame sits in the middle of the 36 x 36 knob: (36, 36).
  const std::pair<double, uint32_t> cases[] = {{0.24, 1}, {0.26, 2}, {0.74, 2}, {0.76, 3}};  // value, frame + 1
  for (const auto& [value, frame] : cases) {
    knob.set_no_send(value, 255);
    tw.window.idle();
    EXPECT_EQ(tw.window.buffer().pixel(37, 38), 0x400000u * frame) << value;
  }
  tw.press({38, 25});
  tw.window.idle();
  EXPECT_EQ(tw.window.buffer().pixel(37, 38), 0x00C000u);
}

TEST_F(KnobFaderTest, ValuesFromOutsideAreCheckedAndDetachedListenersHearNothing) {
  struct Case {
    double in;
    bool accepted;
    double shown;
  } cases[] = {{0.75, true, 0.75}, {NAN, false, 0.75}, {1.5, true, 1.0}, {-2.0, true, 0.0}};
  for (const Case& c : cases) {
    EXPECT_EQ(knob.set_and_send(c.in, 200), c.accepted) << c.in;
    EXPECT_EQ(knob.get_value(), c.shown) << c.in;
  }
  EXPECT_EQ(rec.sent.size(), 3u);
  EXPECT_TRUE(knob.detach(&rec));
  knob.set_and_send(0.5, 200);
  EXPECT_EQ(rec.sent.size(), 3u);
}

}  // namespace
}  // namespace pengui
