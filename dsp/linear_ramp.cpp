#include "dsp/linear_ramp.h"

namespace dsp {

void LinearRamp::set_sample_rate(float fs) {
  step_ = step_ * sample_rate_ / fs;
  sample_rate_ = fs;
}

void LinearRamp::set_target(float target) {
  if (ramp_time_ > 0.0f) {
    start_ = static_cast<float>(current_);
    target_ = target;
    // The length in samples is a float product: 44100 x 0.1 is exactly 4410.
    const float ramp_samples = sample_rate_ * ramp_time_;
    step_ = (target - current_) / ramp_samples;
  } else {
    current_ = start_ = target_ = target;
    step_ = 0.0;
  }
}

void LinearRamp::advance(int n) {
  if (step_ == 0.0) return;
  current_ += n * step_;
  // Steps still to go; rounding of many small advances may leave a sliver.
  const double steps_left = (target_ - current_) / step_;
  if (steps_left <= 1e-6) jump_to_target();
}

}  // namespace dsp
