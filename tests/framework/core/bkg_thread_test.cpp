#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "framework/core/bkg_thread.h"

using namespace std::chrono;

namespace {

class CountingTask : public mppi::BkgInterface {
public:
  void process() override { passes.fetch_add(1); }
  void* get_context() override { return context_; }
  void set_context(void* c) override { context_ = c; }
  std::atomic<int> passes{0};

private:
  void* context_ = nullptr;
};

}  // namespace

TEST(BkgThread, RunsEveryFiftyMillisecondsAndStopsPromptly) {
  CountingTask task;
  mppi::BkgThreadWin32 thread;
  thread.set_handler(&task);
  ASSERT_EQ(thread.start(), 0);
  ASSERT_EQ(thread.start(), 0);  // a second start makes no second thread
  std::this_thread::sleep_for(milliseconds(520));
  const auto t0 = steady_clock::now();
  thread.stop();
  const auto stop_ms = duration_cast<milliseconds>(steady_clock::now() - t0).count();
  EXPECT_FALSE(thread.is_running());
  // One pass at once, then one per 50 ms: about 11 in 520 ms. Loose bounds
  // keep a loaded machine from failing the test.
  EXPECT_GE(task.passes.load(), 5);
  EXPECT_LE(task.passes.load(), 12);
  EXPECT_LT(stop_ms, 200);
  const int after = task.passes.load();
  std::this_thread::sleep_for(milliseconds(120));
  EXPECT_EQ(task.passes.load(), after);
  thread.stop();  // stopping a stopped thread does nothing
  // It restarts after a stop.
  ASSERT_EQ(thread.start(), 0);
  std::this_thread::sleep_for(milliseconds(80));
  thread.stop();
  EXPECT_GT(task.passes.load(), after);
}
