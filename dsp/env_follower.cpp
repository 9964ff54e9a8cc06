#include "dsp/env_follower.h"

#include <cmath>

namespace dsp {

namespace {

float one_pole_coef(float seconds, float fs) {
  const float samples = seconds * fs;
  if (!(samples >= 1.0f)) return 1.0f;
  return static_cast<float>(1.0 - std::exp(-1.0 / static_cast<double>(samples)));
}

}  // namespace

void EnvFollower::update_coefs() {
  attack_coef_ = one_pole_coef(attack_, sample_rate_);
  release_coef_ = one_pole_coef(release_, sample_rate_);
  hold_length_ = static_cast<int>(std::floor(static_cast<double>(hold_) * sample_rate_ + 0.5));
}

}  // namespace dsp
