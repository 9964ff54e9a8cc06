#pragma once
// Fixed-size ring between exactly one producer thread and one consumer
// thread. Neither side ever blocks: push refuses when the ring is full, pop
// when it is empty. N slots hold at most N - 1 elements (write == read
// means empty). The slot is written before the index that publishes it.

#include <array>
#include <atomic>

namespace basic {

template <typename T, int N = 4000>
class LockFreeRingFifo {
  static_assert(N >= 2, "a ring needs at least two slots");

public:
  static constexpr int kNbrSlots = N;

  // Producer thread. False (and nothing stored) when full.
  bool push(const T& value) {
    const int write = write_.load(std::memory_order_relaxed);
    const int next = advance(write);
    if (next == read_.load(std::memory_order_acquire)) return false;
    slots_[static_cast<size_t>(write)] = value;
    write_.store(next, std::memory_order_release);
    return true;
  }

  // Consumer thread. False (and `value` untouched) when empty.
  bool pop(T& value) {
    const int read = read_.load(std::memory_order_relaxed);
    if (read == write_.load(std::memory_order_acquire)) return false;
    value = slots_[static_cast<size_t>(read)];
    read_.store(advance(read), std::memory_order_release);
    return true;
  }

  // Exact only on the consumer side; a snapshot elsewhere.
  bool empty() const {
    return read_.load(std::memory_order_acquire) == write_.load(std::memory_order_acquire);
  }
  int size() const {
    const int n = write_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire);
    return n < 0 ? n + N : n;
  }
  static constexpr int capacity() { return N - 1; }

private:
  static int advance(int index) { return index + 1 == N ? 0 : index + 1; }

  std::atomic<int> write_{0};
  std::atomic<int> read_{0};
  std::array<T, N> slots_{};
};

}  // namespace basic
