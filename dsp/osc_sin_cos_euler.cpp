#include "dsp/osc_sin_cos_euler.h"

#include <cmath>

namespace dsp {

void OscSinCosEulerBase::set_step_angle(double angle) {
  step_cos_ = static_cast<float>(std::cos(angle));
  step_sin_ = static_cast<float>(std::sin(angle));
}

void OscSinCosEulerBase::normalize() {
  const float norm = std::sqrt(cos_ * cos_ + sin_ * sin_);
  if (norm > 0.0f) {
    cos_ /= norm;
    sin_ /= norm;
  }
}

void OscSinCosEuler::update_step() {
  const double two_pi = 6.28318530717958647692;
  set_step_angle(two_pi * static_cast<double>(frequency_) / static_cast<double>(sample_rate_));
}

}  // namespace dsp
