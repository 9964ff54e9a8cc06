#pragma once
// Two-slot exchange through which a published bank reaches the audio
// thread: one writer side (GUI or DSP side, serialised by the caller), one
// reader (the audio thread, which never waits). Publishing twice before a
// read overwrites the same slot, so the reader sees one change.

#include <atomic>

namespace basic {

template <typename T>
class LockFreeBuffer {
public:
  // Writer side: copies `value` into the slot the reader is not using.
  void publish(const T& value) {
    writing_.store(true);
    const int write = write_index_.load();
    if (read_index_.load() == write && consumed_.load()) {
      write_index_.store(1 - write);
      consumed_.store(false);
    }
    slots_[write_index_.load()] = value;
    writing_.store(false);
  }

  // Reader side, once per audio block. `offer` is called with the newest
  // slot while no copy is in progress; returns true when a publication was
  // consumed (the host should then re-read what changed).
  template <typename Offer>
  bool consume(Offer&& offer) {
    if (read_index_.load() == write_index_.load()) return false;
    if (!writing_.load()) offer(static_cast<const T&>(slots_[write_index_.load()]));
    if (read_index_.load() == write_index_.load()) return false;
    consumed_.store(true);
    if (!writing_.load()) read_index_.store(1 - read_index_.load());
    return true;
  }

  bool consume() {
    return consume([](const T&) {});
  }

  int read_index() const { return read_index_.load(); }
  int write_index() const { return write_index_.load(); }

private:
  T slots_[2]{};
  std::atomic<int> write_index_{0};
  std::atomic<int> read_index_{1};
  std::atomic<bool> consumed_{false};
  std::atomic<bool> writing_{false};
};

}  // namespace basic
