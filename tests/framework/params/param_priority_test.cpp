#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/params/param_priority.h"

using mppi::ParamPriorityList;

TEST(ParamPriority, LowerSourceWaitsForTheHoldToPass) {
  const struct {
    int holder, challenger;
    double delay;
    bool accepted;
  } cases[] = {
      {200, 100, 0.3, false},  // host automation after a click
      {200, 100, 0.6, true},
      {100, 50, 0.2, false},   // a drag step after automation
      {100, 50, 0.51, true},
      {50, 100, 0.0, true},    // automation overrides a drag at once
      {100, 100, 0.0, true},   // equal priority always wins
      {200, 1, 0.5, false},    // the hold includes its last instant
  };
  for (const auto& c : cases) {
    ParamPriorityList list(62);
    ASSERT_TRUE(list.take(7, 1000.0, c.holder));
    EXPECT_EQ(list.can_take(7, 1000.0 + c.delay, c.challenger), c.accepted)
        << c.holder << " vs " << c.challenger << " after " << c.delay;
    EXPECT_EQ(list.take(7, 1000.0 + c.delay, c.challenger), c.accepted);
    EXPECT_EQ(list.at(7).prio(), c.accepted ? c.challenger : c.holder);
  }
}

TEST(ParamPriority, RefusedTakeKeepsTheHoldersTime) {
  ParamPriorityList list(4);
  ASSERT_TRUE(list.take(0, 10.0, 200));
  EXPECT_FALSE(list.take(0, 10.4, 100));
  EXPECT_DOUBLE_EQ(list.at(0).last_time(), 10.0);
  EXPECT_TRUE(list.take(0, 10.6, 100));  // measured from 10.0, not 10.4
}

TEST(ParamPriority, ReleaseOnlyByTheHolderAndBadIndicesRefused) {
  ParamPriorityList list(62);
  ASSERT_TRUE(list.take(2, 5.0, 200));
  list.release(2, 100);
  EXPECT_FALSE(list.can_take(2, 5.1, 50));
  list.release(2, 200);
  EXPECT_TRUE(list.can_take(2, 5.1, 1));

  for (int bad : {-1, 62}) {
    EXPECT_FALSE(list.take(bad, 1.0, 255));
    EXPECT_FALSE(list.can_take(bad, 1.0, 255));
  }
  list.release(99, 0);  // ignored
}

// Several threads race for one parameter: every take that succeeds leaves a
// record consistent with one of the takers.
TEST(ParamPriorityThread, ConcurrentTakesStayConsistent) {
  ParamPriorityList list(1);
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  const int prios[] = {50, 100, 125, 200};
  for (int prio : prios) {
    threads.emplace_back([&, prio] {
      while (!go.load()) {}
      for (int i = 0; i < 20000; ++i) {
        const double now = 1.0 + i * 0.001;
        if (list.take(0, now, prio)) list.release(0, prio);
      }
    });
  }
  go = true;
  for (auto& t : threads) t.join();
  const int last = list.at(0).prio();
  EXPECT_TRUE(last == 0 || last == 50 || last == 100 || last == 125 || last == 200) << last;
}
