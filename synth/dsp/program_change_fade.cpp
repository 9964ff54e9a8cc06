#include "synth/dsp/program_change_fade.h"

#include <algorithm>
#include <cmath>

namespace synth {

void ProgramChangeFade::set_sample_rate(double rate) {
  length_ = std::max(1, static_cast<int>(std::lround(kFadeSeconds * rate)));
  clear();
}

bool ProgramChangeFade::take_request() {
  if (!requested_.load(std::memory_order_acquire)) return false;
  return requested_.exchange(false, std::memory_order_acq_rel);
}

void ProgramChangeFade::fade_out() { direction_ = -1; }

void ProgramChangeFade::clear() {
  requested_.store(false, std::memory_order_relaxed);
  level_ = length_;
  direction_ = 0;
}

void ProgramChangeFade::ramp(float* buf, int count) {
  const float step = 1.0f / static_cast<float>(length_);
  for (int i = 0; i < count; ++i) {
    level_ = std::clamp(level_ + direction_, 0, length_);
    buf[i] *= static_cast<float>(level_) * step;
  }
  if (direction_ > 0 && level_ == length_) direction_ = 0;
}

}  // namespace synth
