#pragma once
// Host edit gestures: the first change of a parameter opens a bracket
// (begin-edit), and a periodic pass closes it (end-edit) once the parameter
// has been left alone. Changes are reported from the host, editor and audio
// threads; the closing pass runs on the background thread (or the host's
// idle call). Each parameter's bracket is a small atomic state machine, so
// no thread waits and every begin-edit is matched by one end-edit.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace mppi {

class GestureTracker {
public:
  // Not thread-safe: call before any other operation.
  void init(int nbr_params);
  int size() const { return nbr_params_; }

  // Any thread. Opens the bracket if none is open and then calls
  // `send_begin(index)` before the bracket can be closed; true when this
  // call opened it.
  template <typename SendBegin>
  bool open(int index, SendBegin send_begin);

  bool is_closed(int index) const;

  // One closing pass over the open brackets in opening order. For each one
  // that `can_close(index)` allows, `send_end(index)` is called. A change
  // that arrives while a bracket is being closed reopens it at once with
  // `send_begin(index)`, so the host never sees automation outside a
  // bracket for longer than that instant. One pass at a time.
  template <typename CanClose, typename SendEnd, typename SendBegin>
  void close_ready(CanClose can_close, SendEnd send_end, SendBegin send_begin);

private:
  enum State : uint8_t { kClosed = 0, kOpening = 1, kOpen = 2, kClosing = 3, kReopened = 4 };

  int nbr_params_ = 0;
  std::unique_ptr<std::atomic<uint8_t>[]> state_;
  std::unique_ptr<std::atomic<uint64_t>[]> opened_at_;
  std::atomic<uint64_t> counter_{0};
  std::vector<std::pair<uint64_t, int>> pass_;  // used by the closing pass only
};

template <typename SendBegin>
bool GestureTracker::open(int index, SendBegin send_begin) {
  if (index < 0 || index >= nbr_params_) return false;
  uint8_t expected = kClosed;
  if (state_[index].compare_exchange_strong(expected, kOpening)) {
    opened_at_[index].store(++counter_);
    send_begin(index);
    state_[index].store(kOpen);
    return true;
  }
  if (expected == kClosing) state_[index].compare_exchange_strong(expected, kReopened);
  return false;
}

template <typename CanClose, typename SendEnd, typename SendBegin>
void GestureTracker::close_ready(CanClose can_close, SendEnd send_end, SendBegin send_begin) {
  pass_.clear();
  for (int i = 0; i < nbr_params_; ++i) {
    if (state_[i].load() == kOpen) pass_.emplace_back(opened_at_[i].load(), i);
  }
  std::sort(pass_.begin(), pass_.end());
  for (const auto& entry : pass_) {
    const int i = entry.second;
    if (!can_close(i)) continue;
    uint8_t expected = kOpen;
    if (!state_[i].compare_exchange_strong(expected, kClosing)) continue;
    send_end(i);
    expected = kClosing;
    if (!state_[i].compare_exchange_strong(expected, kClosed)) {
      // Reopened while we sent end-edit: the bracket continues.
      opened_at_[i].store(++counter_);
      state_[i].store(kOpen);
      send_begin(i);
    }
  }
}

}  // namespace mppi
