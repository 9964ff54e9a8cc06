#include "framework/core/gesture_tracker.h"

namespace mppi {

void GestureTracker::init(int nbr_params) {
  nbr_params_ = nbr_params > 0 ? nbr_params : 0;
  state_.reset(new std::atomic<uint8_t>[static_cast<size_t>(nbr_params_)]);
  opened_at_.reset(new std::atomic<uint64_t>[static_cast<size_t>(nbr_params_)]);
  for (int i = 0; i < nbr_params_; ++i) {
    state_[i].store(kClosed);
    opened_at_[i].store(0);
  }
  pass_.reserve(static_cast<size_t>(nbr_params_));
}

bool GestureTracker::is_closed(int index) const {
  return index < 0 || index >= nbr_params_ || state_[index].load() == kClosed;
}

}  // namespace mppi
