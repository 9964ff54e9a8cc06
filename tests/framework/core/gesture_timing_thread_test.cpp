#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/core/bkg_thread.h"
#include "framework/core/host_callback_interface.h"
#include "framework/core/plugin_core_fixture.h"
#include "sys/tick.h"

using Clock = std::chrono::steady_clock;

namespace {

// Notes when the host is told to begin and end an edit gesture.
class TimingHost : public mppi::HostCallbackInterface {
public:
  void automate(int, float) override {}
  void begin_edit(int) override { stamp(begins); }
  void end_edit(int) override { stamp(ends); }
  void update_display() override {}
  std::vector<Clock::time_point> begins, ends;
  std::mutex mutex;

private:
  void stamp(std::vector<Clock::time_point>& list) {
    std::lock_guard<std::mutex> lock(mutex);
    list.push_back(Clock::now());
  }
};

double seconds_between(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

}  // namespace

// With the real tick clock and the real 50 ms background thread, a bracket
// closes between 0.5 s and 0.55 s after the last change. The upper bound
// allows 50 ms more for a loaded machine (the tick itself moves in whole
// milliseconds).
TEST(GestureTimingThread, EndEditFollowsTheLastChangeByTheHoldTime) {
  zindle_test::CoreRig<> rig;
  TimingHost host;
  rig.core.set_host(&host);
  rig.core.set_clock(&sys::get_tick_seconds);
  zindle_test::GestureTask task(rig.core);
  mppi::BkgThreadWin32 background;
  background.set_handler(&task);
  ASSERT_EQ(background.start(), 0);

  // Changed every 100 ms for 0.4 s: one bracket all along.
  Clock::time_point last_change;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(rig.core.set_param_and_notify(53, 0.1f * i, 200));
    last_change = Clock::now();
    if (i < 4) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  background.stop();

  std::lock_guard<std::mutex> lock(host.mutex);
  ASSERT_EQ(host.begins.size(), 1u);
  ASSERT_EQ(host.ends.size(), 1u);
  const double delay = seconds_between(last_change, host.ends[0]);
  EXPECT_GE(delay, 0.499);
  EXPECT_LE(delay, 0.60);
}
