#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/core/gesture_tracker.h"

// Writers on three threads, a closer on a fourth: begin and end
// notifications always alternate per parameter, starting with begin.
TEST(GestureTrackerThread, BracketsStayBalancedUnderContention) {
  constexpr int kParams = 4;
  mppi::GestureTracker g;
  g.init(kParams);
  std::atomic<int> depth[kParams];
  for (auto& d : depth) d.store(0);
  std::atomic<bool> broken{false};
  std::atomic<bool> stop{false};
  auto begin = [&](int i) { if (depth[i].fetch_add(1) != 0) broken = true; };
  auto end = [&](int i) { if (depth[i].fetch_sub(1) != 1) broken = true; };

  std::vector<std::thread> writers;
  for (int t = 0; t < 3; ++t)
    writers.emplace_back([&, t] {
      for (int n = 0; n < 20000; ++n) g.open((n + t) % kParams, begin);
    });
  std::thread closer([&] {
    while (!stop.load()) g.close_ready([](int) { return true; }, end, begin);
  });
  for (auto& w : writers) w.join();
  stop = true;
  closer.join();
  g.close_ready([](int) { return true; }, end, begin);
  EXPECT_FALSE(broken.load());
  for (int i = 0; i < kParams; ++i) EXPECT_EQ(depth[i].load(), 0) << i;
}
