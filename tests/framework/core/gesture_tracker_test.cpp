#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/core/gesture_tracker.h"

namespace {

struct Log {
  std::vector<int> begins, ends;
};

}  // namespace

TEST(GestureTracker, OpensOnceAndClosesInOpeningOrder) {
  mppi::GestureTracker g;
  g.init(8);
  Log log;
  auto note_begin = [&](int i) { log.begins.push_back(i); };
  for (int i : {5, 5, 2, 7, 8, -1}) g.open(i, note_begin);  // a second open of 5 only automates
  EXPECT_EQ(log.begins, (std::vector<int>{5, 2, 7}));
  log.begins.clear();
  // 2 is still held: 5 and 7 close, in the order they opened.
  g.close_ready([](int i) { return i != 2; }, [&](int i) { log.ends.push_back(i); },
                [&](int i) { log.begins.push_back(i); });
  EXPECT_EQ(log.ends, (std::vector<int>{5, 7}));
  EXPECT_TRUE(log.begins.empty());
  EXPECT_FALSE(g.is_closed(2));
  EXPECT_TRUE(g.is_closed(8));  // outside the tracker: never open
  EXPECT_TRUE(g.open(5, note_begin));  // the next change opens a new bracket
}

TEST(GestureTracker, AChangeDuringClosingReopensTheBracket) {
  mppi::GestureTracker g;
  g.init(2);
  Log log;
  ASSERT_TRUE(g.open(1, [](int) {}));
  g.close_ready([](int) { return true; },
                [&](int i) {
                  log.ends.push_back(i);
                  EXPECT_FALSE(g.open(i, [](int) {}));  // a change arrives while end-edit is sent
                },
                [&](int i) { log.begins.push_back(i); });
  EXPECT_EQ(log.ends, std::vector<int>{1});
  EXPECT_EQ(log.begins, std::vector<int>{1});
  EXPECT_FALSE(g.is_closed(1));
}

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
