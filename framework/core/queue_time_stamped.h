#pragma once
// Time-ordered queue of events with a fixed pool. Entries are taken from the
// pool in arrival order and only become free again when the whole pool is
// recycled, so nothing is allocated after construction. Equal stamps keep
// their arrival order. Single thread (the audio thread).

#include <array>
#include <cstddef>

namespace mppi {

// Receives the events that a queue hands out in time order.
template <typename T>
class QueueTSClientInterface {
public:
  virtual ~QueueTSClientInterface() = default;
  virtual void apply_event(T& event) = 0;
};

template <typename T, typename Stamp, int Capacity = 256>
class QueueTimeStamped {
public:
  static constexpr int kCapacity = Capacity;

  bool pool_full() const { return pool_count_ >= Capacity; }
  int pool_count() const { return pool_count_; }
  bool empty() const { return head_ == tail_; }
  int size() const { return tail_ - head_; }

  // Takes the next pool entry, resets it and files it under stamp. The pool
  // must not be full.
  T& push(Stamp stamp) {
    T& event = pool_[static_cast<size_t>(pool_count_++)];
    event = T{};
    int pos = tail_++;
    while (pos > head_ && order_[static_cast<size_t>(pos - 1)].stamp > stamp) {
      order_[static_cast<size_t>(pos)] = order_[static_cast<size_t>(pos - 1)];
      --pos;
    }
    order_[static_cast<size_t>(pos)] = Slot{stamp, &event};
    return event;
  }

  Stamp front_stamp() const { return order_[static_cast<size_t>(head_)].stamp; }
  T& front() { return *order_[static_cast<size_t>(head_)].event; }
  void pop() {
    ++head_;
    if (head_ == tail_) head_ = tail_ = 0;
  }

  // Hands every queued event to client in order, then empties the queue.
  void apply_all(QueueTSClientInterface<T>& client) {
    while (!empty()) {
      T& event = front();
      pop();
      client.apply_event(event);
    }
  }

  // Hands out the events stamped at or before stamp.
  void apply_until(Stamp stamp, QueueTSClientInterface<T>& client) {
    while (!empty() && front_stamp() <= stamp) {
      T& event = front();
      pop();
      client.apply_event(event);
    }
  }

  // Makes the whole pool free again; the queue must be empty.
  void recycle_pool() { pool_count_ = 0; }

private:
  struct Slot {
    Stamp stamp{};
    T* event = nullptr;
  };

  std::array<T, static_cast<size_t>(Capacity)> pool_{};
  std::array<Slot, static_cast<size_t>(Capacity)> order_{};
  int pool_count_ = 0;
  int head_ = 0;
  int tail_ = 0;
};

}  // namespace mppi
