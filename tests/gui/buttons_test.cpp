#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "gui/flip_flop.h"
#include "gui/push_button.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::RecordingListener;
using testing::TestWindow;

using Sent = std::vector<std::pair<double, int>>;

class ButtonsTest : public ::testing::Test {
protected:
  void SetUp() override {
    button.set_bounds({100, 100, 40, 20});
    flip.set_bounds({50, 50, 12, 12});
    for (Widget* w : std::initializer_list<Widget*>{&button, &flip}) tw.window.add(w);
    button.attach(&listener);
    flip.attach(&listener);
    tw.settle();
  }
  TestWindow tw;
  PushButton button;
  FlipFlop flip;
  RecordingListener listener;
};

// A push button sends 0 on press and 1 on a completed click; a flip-flop
// flips what it shows (on from 0.5) unless refused or disabled.
TEST_F(ButtonsTest, AClickSendsWhatTheButtonKindPromises) {
  struct Case {
    const char* name;
    bool flip_flop;
    double set;
    bool refuse, enabled;
    Point release_at;
    Sent sent;
  } cases[] = {
      {"click", false, 0, false, true, {120, 110}, {{0.0, 200}, {1.0, 200}}},
      {"released elsewhere", false, 0, false, true, {300, 300}, {{0.0, 200}}},
      {"disabled", false, 0, false, false, {120, 110}, {}},
      {"flip on", true, 0.49, false, true, {56, 56}, {{1.0, 200}}},
      {"flip off", true, 0.5, false, true, {56, 56}, {{0.0, 200}}},
      {"flip refused", true, 0.0, true, true, {56, 56}, {}},
  };
  for (const Case& c : cases) {
    Widget& w = c.flip_flop ? static_cast<Widget&>(flip) : button;
    flip.set_no_send(c.set, 1);
    w.set_enabled(c.enabled);
    listener.refuse = c.refuse;
    listener.sent.clear();
    tw.press(c.flip_flop ? Point{56, 56} : Point{120, 110});
    tw.release(c.release_at);
    tw.time += 1.0;
    EXPECT_EQ(listener.sent, c.sent) << c.name;
    EXPECT_FALSE(button.is_pressed()) << c.name;
    const bool on = c.sent.empty() ? c.set >= 0.5 : c.sent[0].first == 1.0;
    EXPECT_EQ(flip.is_on(), c.flip_flop && on) << c.name;
  }
}

}  // namespace
}  // namespace pengui
