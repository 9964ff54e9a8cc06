#pragma once
// The plug-in's background thread: runs its handler every 50 ms at the
// lowest normal priority. stop() waits at most 4 s for the thread to leave
// its loop, then abandons it so that the host never hangs on close.
// (Despite its name, BkgThreadWin32 runs on every platform.)

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "framework/core/bkg_interface.h"

namespace mppi {

class BkgThreadHandlerInterface {
public:
  virtual ~BkgThreadHandlerInterface() = default;
  virtual void set_handler(BkgInterface* handler) = 0;
  virtual int start() = 0;  // 0, or -1 when no thread can be made
  virtual void stop() = 0;
};

class BkgThreadWin32 : public BkgThreadHandlerInterface {
public:
  static constexpr int kCycleMs = 50;
  static constexpr int kStopTimeoutMs = 4000;

  BkgThreadWin32() = default;
  ~BkgThreadWin32() override;
  BkgThreadWin32(const BkgThreadWin32&) = delete;
  BkgThreadWin32& operator=(const BkgThreadWin32&) = delete;

  void set_handler(BkgInterface* handler) override { handler_.store(handler); }
  int start() override;
  void stop() override;
  bool is_running() const { return thread_.joinable(); }

private:
  void run();

  std::atomic<BkgInterface*> handler_{nullptr};
  std::thread thread_;
  // The wait between passes and the wait in stop() both end early when
  // woken, so closing the plug-in does not sit out a whole cycle.
  std::mutex mutex_;
  std::condition_variable wake_;
  bool run_flag_ = false;
  bool left_loop_ = false;
};

}  // namespace mppi
