#pragma once
// Resonant four-pole low-pass with a ladder response 1 / ((1 + s)^4 + k),
// k = 4.05 r, built from two second-order sections. The first section
// saturates inside its recursion; a peak limiter between the sections holds
// the signal to about +-4 so that self-oscillation stays bounded.

#include "dsp/biquad.h"
#include "dsp/env_follower.h"

namespace dsp {

class LadderVcf {
public:
  LadderVcf();

  void set_sample_rate(float fs);
  // r in 0..1; k = 4 (r ~ 0.988) is the onset of self-oscillation.
  void set_resonance(float r);
  void set_cutoff(float fc);
  void update_coefs();
  void update_coefs_fast();

  void process(float* buf, int n);
  float process_sample(float x);
  void clear();

  float resonance() const { return resonance_; }

private:
  float sample_rate_ = 0.0f;
  float cutoff_ = 0.0f;
  float resonance_ = 0.5f;
  Biquad section_a_;
  EnvFollower limiter_;
  Biquad section_b_;
  float proto_a_[6] = {};
  float proto_b_[6] = {};
  bool changed_ = true;
};

inline float LadderVcf::process_sample(float x) {
  // y - y^3 / (6 * 256^2), taken no further than its turning point so that
  // an overdriven input cannot fold back and diverge.
  const float y = section_a_.process_sample_shaped(x, [](float v) {
    constexpr float kTurn = 362.03867f;  // sqrt(393216 / 3)
    v = v > kTurn ? kTurn : (v < -kTurn ? -kTurn : v);
    return v * (1.0f - v * v / 393216.0f);
  });
  const float e = limiter_.tick(0.25f * y);
  // Cutoff changes at every sample can pump a second-order section without
  // bound; this ceiling sits far above any level the section reaches at a
  // steady cutoff.
  return section_b_.process_sample_shaped(e > 1.0f ? y / e : y, [](float v) {
    constexpr float kCeiling = 256.0f;
    return v > kCeiling ? kCeiling : (v < -kCeiling ? -kCeiling : v);
  });
}

}  // namespace dsp
