#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/params/param_priority.h"

using mppi::ParamPriorityList;

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
