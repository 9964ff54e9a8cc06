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

TEST_F(PotBehaviourTest, FadeKnobGoesFromZeroToOneIn256PixelsAndReversesAtOnceAfterOvershoot) {
  pot.press({}, 0, true);
  up(256);
  ticks(100);
  EXPECT_EQ(host.value, 1.0);
  EXPECT_EQ(host.sent.back().prio, PotBehaviour::kDragPrio);
  up(40);  // past the end: the value stays at 1
  EXPECT_GT(pot.raw_target(), 1.0);
  ticks(5);
  EXPECT_EQ(host.value, 1.0);

  down(1);  // reversal starts from the edge, not from 1 + 40/256
  EXPECT_EQ(pot.raw_target(), 1.0 - 1.0 / 256);
  ticks(1);
  EXPECT_LT(host.value, 1.0);
  EXPECT_GT(host.value, 1.0 - 1.0 / 256);
}

TEST_F(PotBehaviourTest, MostlyHorizontalDragIsFine) {
  struct Case {
    int dx, dy;  // screen: negative is up
    int axis;
    double raw_after_32;
  } cases[] = {
      {4, 0, PotBehaviour::kHorizontal, 128.0 / 32 / 256},  // 32 times less than 128 px up
      {3, -3, PotBehaviour::kVertical, 96.0 / 256},         // 45 degrees: no switch
      {7, -4, PotBehaviour::kVertical, 128.0 / 256},        // 30 degrees: still coarse
      {-4, 0, PotBehaviour::kHorizontal, 0.0},              // fine towards 0 from 0.25 below
  };
  for (const Case& c : cases) {
    host.value = c.dx < 0 ? 0.25 : 0.0;
    pot.press({}, 0, true);
    for (int i = 0; i < 32; ++i) pot.move({}, c.dx, c.dy);
    EXPECT_EQ(pot.axis(), c.axis) << c.dx << "," << c.dy;
    EXPECT_EQ(pot.raw_target(), c.dx < 0 ? 0.25 - 128.0 / 32 / 256 : c.raw_after_32) << c.dx << "," << c.dy;
    pot.release();
  }
  // Back to vertical with hysteresis.
  pot.press({}, 0, true);
  pot.move({}, 4, 0);
  pot.move({}, 3, -3);  // 45 degrees keeps the fine axis
  EXPECT_EQ(pot.axis(), PotBehaviour::kHorizontal);
  const double before = pot.raw_target();
  pot.move({}, 0, -4);  // steep: back to vertical, and this movement counts in full
  EXPECT_EQ(pot.axis(), PotBehaviour::kVertical);
  EXPECT_EQ(pot.raw_target(), before + 4.0 / 256);
}

TEST_F(PotBehaviourTest, MagneticStepsNeedTheRawValueThreeTimesCloserAndTheClosestWins) {
  pot.set_steps({1.0, 0.0, 0.5});
  pot.press({}, 0, true);
  up(96);  // raw 0.375: exactly three times closer to 0.5 than to 0, not more
  EXPECT_EQ(pot.raw_target(), 0.375);
  EXPECT_EQ(pot.step_target(), 0.0);
  up(1);
  EXPECT_EQ(pot.step_target(), 0.5);
  up(224 - 97);  // raw 0.875: 3 * 0.125 is not below 0.375
  EXPECT_EQ(pot.step_target(), 0.5);
  up(1);
  EXPECT_EQ(pot.step_target(), 1.0);
  pot.release();
  pot.set_steps({0.0, 0.3, 0.32});
  host.value = 0.0;
  pot.press({}, 0, true);
  pot.move({}, 0, -81);  // raw 0.3164: both 0.3 and 0.32 qualify, 0.32 is closer
  EXPECT_EQ(pot.step_target(), 0.32);
}

TEST_F(PotBehaviourTest, FineDragBeyondSixteenPixelsLeavesTheSteps) {
  pot.set_steps({0.0, 0.5, 1.0});
  host.value = 0.5;
  pot.press({}, 0, true);
  for (int i = 0; i < 4; ++i) pot.move({}, 4, 0);  // 16 pixels: still magnetic
  EXPECT_EQ(pot.step_target(), 0.5);
  pot.move({}, 4, 0);  // 20 pixels: free, continuing from the step
  EXPECT_EQ(pot.step_target(), 0.5 + 4.0 / 32 / 256);
}

TEST_F(PotBehaviourTest, SmoothingTicksWithKnownNumbers) {
  pot.press({}, 0, true);
  pot.move({}, 0, -128);
  ASSERT_EQ(pot.step_target(), 0.5);
  ticks(1);  // rate 3 Hz over 0.03 s
  EXPECT_NEAR(host.value, 0.21595819706113284, 1e-12);
  ticks(1);  // closing in faster than 1.5x: rate 3 * 0.5 / 0.28404 = 5.2809
  EXPECT_NEAR(host.value, 0.39502808852127286, 1e-12);

  // Within 1e-6 it lands exactly on the target.
  host.value = 0.5 - 9e-7;
  ticks(1);
  EXPECT_EQ(host.value, 0.5);
}

TEST_F(PotBehaviourTest, ReleaseRestoresTheCursorAndLetsAPendingValueLandFirmly) {
  host.cursor = {400, 200};
  pot.press({400, 200}, 0, true);
  up(64);
  host.cursor = {0, 0};  // wherever the hidden cursor went
  pot.release({3, -7});
  EXPECT_FALSE(host.captured);
  EXPECT_TRUE(host.cursor.x == 403 && host.cursor.y == 193);
  // Not there yet: the tick carries on at priority 200 until it lands.
  pot.move({}, 0, -50);  // no capture, no effect
  EXPECT_EQ(pot.step_target(), 0.25);
  ticks(60);
  EXPECT_EQ(host.value, 0.25);
  EXPECT_EQ(host.sent.back().prio, PotBehaviour::kFirmPrio);
  EXPECT_FALSE(host.timer_running);
  EXPECT_EQ(host.released, (std::vector<int>{PotBehaviour::kFirmPrio}));
}

TEST_F(PotBehaviourTest, CornerZonesAreTheTwoLowerTriangles) {
  struct Case { Point rel; double sweep; int step; } cases[] = {  // at x = 0 the zone starts below y = 2h/3 = 24
      {{2, 34}, -0.75, -1}, {{34, 34}, -0.75, 1}, {{18, 35}, -0.75, 0}, {{0, 25}, -0.75, -1},
      {{0, 24}, -0.75, 0},  {{2, 34}, 0.75, 1},   {{2, 34}, 0.0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(PotBehaviour::corner_step(c.rel, 36, 36, c.sweep), c.step) << c.rel.x << "," << c.rel.y;
}

TEST_F(PotBehaviourTest, RunModeSpeedsUpAndStopsAtTheEndOrTheLimits) {
  pot.press({100, 100}, +1, true);
  EXPECT_EQ(pot.state(), PotBehaviour::kRun);
  EXPECT_EQ(host.taken, (std::vector<int>{PotBehaviour::kFirmPrio}));
  ticks(1);  // speed (8 - 0) * 0.03 / 64 = 0.00375 per second
  EXPECT_NEAR(pot.speed(), 0.00375, 1e-12);
  EXPECT_NEAR(host.value, 0.00375 * 0.03, 1e-12);
  ticks(2000);
  EXPECT_EQ(host.value, 1.0);
  EXPECT_LT(pot.speed(), 0.01);  // reset at the end, ramping again from 0
  pot.release();
  pot.set_limits(true, 0.2, 0.8);  // downwards it stops at the lower limit
  pot.press({100, 100}, -1, true);
  ticks(3000);
  EXPECT_EQ(host.value, 0.2);
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
