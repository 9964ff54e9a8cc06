#pragma once
// Hands the selected device from the editor thread to the threads that use
// it (audio thread, parameter feedback) without a lock: users never wait;
// the editor thread, before it closes or deletes a device, waits until no
// user is inside. Sequentially consistent order makes the count and the
// pointer a pair: a user either sees the cleared pointer or is counted.

#include <atomic>
#include <thread>

namespace mppi {

template <typename T>
class MidiDevSlot {
public:
  // Any user thread: f(T&) when a device is set, else `absent`.
  template <typename F>
  int use(F&& f, int absent) {
    users_.fetch_add(1);
    T* device = device_.load();
    const int result = device != nullptr ? f(*device) : absent;
    users_.fetch_sub(1);
    return result;
  }

  // Editor thread.
  void put(T* device) { device_.store(device); }
  // Editor thread: afterwards nobody uses the old device.
  void take() {
    device_.store(nullptr);
    while (users_.load() != 0) std::this_thread::yield();
  }
  T* get() const { return device_.load(); }

private:
  std::atomic<T*> device_{nullptr};
  std::atomic<int> users_{0};
};

}  // namespace mppi
