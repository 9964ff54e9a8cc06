#include "framework/core/bkg_thread.h"

#include <chrono>
#include <system_error>

#include "sys/thread_priority.h"

namespace mppi {

BkgThreadWin32::~BkgThreadWin32() { stop(); }

int BkgThreadWin32::start() {
  if (thread_.joinable()) return 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    run_flag_ = true;
    left_loop_ = false;
  }
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> lock(mutex_);
    run_flag_ = false;
    return -1;
  }
  return 0;
}

void BkgThreadWin32::run() {
  sys::lower_current_thread_priority();
  std::unique_lock<std::mutex> lock(mutex_);
  while (run_flag_) {
    lock.unlock();
    if (BkgInterface* handler = handler_.load()) handler->process();
    lock.lock();
    if (run_flag_) wake_.wait_for(lock, std::chrono::milliseconds(kCycleMs), [this] { return !run_flag_; });
  }
  left_loop_ = true;
  wake_.notify_all();
}

void BkgThreadWin32::stop() {
  if (!thread_.joinable()) return;
  bool left = false;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    run_flag_ = false;
    wake_.notify_all();
    left = wake_.wait_for(lock, std::chrono::milliseconds(kStopTimeoutMs), [this] { return left_loop_; });
  }
  if (left) {
    thread_.join();
  } else {
    thread_.detach();  // abandoned: the host must not hang on close
  }
}

}  // namespace mppi
