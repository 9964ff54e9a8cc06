#include "synth/dsp/portamento_glide.h"

#include <cmath>

namespace synth {

void PortamentoGlide::set_sample_rate(double rate) {
  sample_rate_ = rate;
  update_factor();
}

void PortamentoGlide::set_time(double seconds) {
  time_ = seconds;
  update_factor();
}

void PortamentoGlide::set_target(double target) {
  start_ = get_value();
  target_ = target;
  remaining_ = 1.0;
  if (factor_ <= 0.0) jump_to(target);
}

void PortamentoGlide::jump_to(double value) {
  start_ = target_ = value;
  remaining_ = 0.0;
}

void PortamentoGlide::advance(int nbr_samples) {
  if (!is_moving()) return;
  for (int i = 0; i < nbr_samples && remaining_ > kThreshold; ++i) remaining_ *= factor_;
  if (remaining_ <= kThreshold) jump_to(target_);
}

void PortamentoGlide::update_factor() {
  const double length = sample_rate_ * time_;
  factor_ = length > 0.0 ? std::exp(std::log(kThreshold) / length) : 0.0;
}

}  // namespace synth
