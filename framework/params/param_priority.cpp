#include "framework/params/param_priority.h"

#include <cmath>

namespace mppi {
namespace {
constexpr int kPrioBits = 16;
constexpr uint64_t kPrioMask = (uint64_t{1} << kPrioBits) - 1;
constexpr double kMaxMicros = static_cast<double>(uint64_t{1} << (64 - kPrioBits)) - 1.0;
}  // namespace

uint64_t ParamPriority::pack(double seconds, int prio) {
  double micros = std::round(seconds * 1e6);
  if (!(micros >= 0.0)) micros = 0.0;  // also catches NaN
  if (micros > kMaxMicros) micros = kMaxMicros;
  const auto p = static_cast<uint64_t>(static_cast<uint16_t>(static_cast<int16_t>(prio)));
  return (static_cast<uint64_t>(micros) << kPrioBits) | p;
}

double ParamPriority::unpack_time(uint64_t word) { return static_cast<double>(word >> kPrioBits) * 1e-6; }

int ParamPriority::unpack_prio(uint64_t word) {
  return static_cast<int16_t>(static_cast<uint16_t>(word & kPrioMask));
}

bool ParamPriority::can_take(double now, int prio) const {
  const uint64_t word = word_.load(std::memory_order_acquire);
  return prio >= unpack_prio(word) || unpack_time(word) + hold_ < now;
}

bool ParamPriority::take(double now, int prio) {
  uint64_t word = word_.load(std::memory_order_acquire);
  const uint64_t taken = pack(now, prio);
  do {
    if (prio < unpack_prio(word) && unpack_time(word) + hold_ >= now) return false;
  } while (!word_.compare_exchange_weak(word, taken, std::memory_order_acq_rel, std::memory_order_acquire));
  return true;
}

void ParamPriority::release(int prio) {
  uint64_t word = word_.load(std::memory_order_acquire);
  do {
    if (unpack_prio(word) != prio) return;
  } while (!word_.compare_exchange_weak(word, word & ~kPrioMask, std::memory_order_acq_rel,
                                        std::memory_order_acquire));
}

double ParamPriority::last_time() const { return unpack_time(word_.load(std::memory_order_acquire)); }
int ParamPriority::prio() const { return unpack_prio(word_.load(std::memory_order_acquire)); }

bool ParamPriorityList::can_take(int index, double now, int prio) const {
  return valid(index) && entries_[static_cast<size_t>(index)].can_take(now, prio);
}

bool ParamPriorityList::take(int index, double now, int prio) {
  return valid(index) && entries_[static_cast<size_t>(index)].take(now, prio);
}

void ParamPriorityList::release(int index, int prio) {
  if (valid(index)) entries_[static_cast<size_t>(index)].release(prio);
}

}  // namespace mppi
