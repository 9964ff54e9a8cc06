#pragma once
// Arbitration between the sources that change one parameter (host
// automation, editor, MIDI, programs): a lower priority is refused while a
// higher one changed the parameter within the last `hold` seconds.
//
// Threads: entered from the host, editor, audio (MIDI controllers) and
// background threads at once. Each record is one 64-bit atomic word (time of
// the last take in microseconds and the holder's priority), updated with
// compare-and-swap, so no thread ever waits on another.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mppi {

class ParamPriority {
public:
  ParamPriority() = default;
  ParamPriority(const ParamPriority& other) : hold_(other.hold_), word_(other.word_.load()) {}
  virtual ~ParamPriority() = default;

  bool can_take(double now, int prio) const;
  bool take(double now, int prio);
  void release(int prio);

  double last_time() const;
  double hold() const { return hold_; }
  int prio() const;

private:
  static uint64_t pack(double seconds, int prio);
  static double unpack_time(uint64_t word);
  static int unpack_prio(uint64_t word);

  double hold_ = 0.5;
  std::atomic<uint64_t> word_{0};
};

class ParamPriorityList {
public:
  explicit ParamPriorityList(int nbr_params) : entries_(static_cast<size_t>(nbr_params > 0 ? nbr_params : 0)) {}

  int size() const { return static_cast<int>(entries_.size()); }
  // Out-of-range indices are refused by take and can_take.
  bool can_take(int index, double now, int prio) const;
  bool take(int index, double now, int prio);
  void release(int index, int prio);
  const ParamPriority& at(int index) const { return entries_[static_cast<size_t>(index)]; }

private:
  bool valid(int index) const { return index >= 0 && index < size(); }
  std::vector<ParamPriority> entries_;
};

}  // namespace mppi
