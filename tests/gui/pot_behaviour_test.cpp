#include "gui/pot_behaviour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace pengui {
namespace {

// A control without a window: keeps the value, counts what the pot asks.
struct FakeHost : PotHost {
  void pot_capture(bool) override { captured = true; }
  void pot_release_capture() override { captured = false; }
  int pot_start_timer(double period) override {
    EXPECT_DOUBLE_EQ(period, 0.03);
    return timer_running = true, 1;
  }
  void pot_stop_timer(int) override { timer_running = false; }
  double pot_now() const override { return now; }
  double pot_value() const override { return value; }
  bool pot_send(double v, int prio) override {
    sent.push_back({v, prio});
    if (!refuse) value = v;
    return !refuse;
  }
  bool pot_take_control(int prio) override { return taken.push_back(prio), true; }
  void pot_release_control(int prio) override { released.push_back(prio); }
  bool pot_get_cursor(Point& p) const override { return p = cursor, true; }
  void pot_set_cursor(Point p) override { cursor = p; }

  struct Sent { double value; int prio; };
  double now = 100.0, value = 0.0;
  bool captured = false, timer_running = false, refuse = false;
  Point cursor{400, 200};
  std::vector<Sent> sent;
  std::vector<int> taken, released;
};

class PotBehaviourTest : public ::testing::Test {
protected:
  PotBehaviourTest() : pot(host) {
    pot.set_drag_length(256);  // the preset fade-time knob
    pot.set_fine_factor(1.0 / 32);
  }
  // Relative movements as the window delivers them in enhanced mode.
  void up(int pixels, int per_event = 1) {
    for (int done = 0; done != pixels; done += per_event) pot.move({}, 0, -per_event);
  }
  void down(int pixels) { up(-pixels, -1); }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) host.now += 0.03, pot.tick();
  }

  FakeHost host;
  PotBehaviour pot;
};

// A drag, end to end: 256 pixels from 0 to 1, overshoot and reversal, and
// a release that puts the cursor back and lets the pending value land firmly.
TEST_F(PotBehaviourTest, FadeKnobDragFromPressToRelease) {
  pot.press({400, 200}, 0, true);
  up(256);
  ticks(100);
  EXPECT_EQ(host.value, 1.0);
  EXPECT_EQ(host.sent.back().prio, PotBehaviour::kDragPrio);
  up(40);  // past the end: the value stays at 1
  EXPECT_GT(pot.raw_target(), 1.0);
  ticks(5);
  EXPECT_EQ(host.value, 1.0);

  down(64);  // reversal starts from the edge, not from 1 + 40/256
  EXPECT_EQ(pot.raw_target(), 0.75);
  ticks(1);
  EXPECT_LT(host.value, 1.0);
  EXPECT_GT(host.value, 0.75);

  host.cursor = {0, 0};  // wherever the hidden cursor went
  pot.release({3, -7});
  EXPECT_FALSE(host.captured);
  EXPECT_TRUE(host.cursor.x == 403 && host.cursor.y == 193);
  pot.move({}, 0, -50);  // no capture, no effect
  EXPECT_EQ(pot.step_target(), 0.75);
  ticks(60);
  EXPECT_EQ(host.value, 0.75);
  EXPECT_EQ(host.sent.back().prio, PotBehaviour::kFirmPrio);
  EXPECT_FALSE(host.timer_running);
  EXPECT_EQ(host.released, (std::vector<int>{PotBehaviour::kFirmPrio}));
}

TEST_F(PotBehaviourTest, RunModeHorizontalDistanceLocksTheSpeed) {
  host.value = 0.5;
  pot.press({100, 100}, +1, true);
  pot.move({}, 4, 0);  // within 4 pixels: nothing
  EXPECT_FALSE(pot.is_speed_locked());
  pot.move({}, -68, 0);  // 64 to the left
  EXPECT_TRUE(pot.is_speed_locked());
  EXPECT_EQ(pot.speed(), -0.0625);  // 64 * 1 * -64 / 65536
  ticks(1);
  EXPECT_NEAR(host.value, 0.5 - 0.0625 * 0.03, 1e-12);

  pot.release();
  pot.set_speed_factor(2.0);
  pot.press({100, 100}, -1, false);  // compatible: distance from absolute positions
  EXPECT_EQ(pot.goal_speed(), -2.0);
  pot.move({228, 90}, 0, 0);
  EXPECT_EQ(pot.speed(), 128 * 2.0 * 128 / 65536);
}

TEST_F(PotBehaviourTest, CaptureLostAndBadConfigurationAreHarmless) {
  pot.set_drag_length(NAN);
  pot.set_fine_factor(-1);
  pot.set_limits(true, 0.9, 0.1);
  pot.set_steps({NAN, -0.5, 2.0, 0.25});
  EXPECT_EQ(pot.drag_length(), 256.0);
  EXPECT_EQ(pot.steps(), (std::vector<double>{0.25}));

  pot.press({}, 0, true);
  up(10);
  pot.capture_lost();
  EXPECT_EQ(pot.state(), PotBehaviour::kIdle);
  up(10);
  EXPECT_TRUE(host.sent.empty());

  // Refused sends end a pending release instead of retrying forever.
  pot.press({}, 0, true);
  up(100);
  host.refuse = true;
  pot.release();
  ticks(1);
  EXPECT_EQ(pot.state(), PotBehaviour::kIdle);
}

}  // namespace
}  // namespace pengui
