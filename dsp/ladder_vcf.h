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

  // The filter in locals for a block loop: begin_block() (which applies a
  // pending resonance change, as process does) or kernel(), tick() per
  // sample, then store().
  struct Kernel {
    Biquad::Kernel a;
    EnvFollower::Kernel limiter;
    Biquad::Kernel b;

    float tick(float x);
  };
  Kernel begin_block();
  Kernel kernel() const;
  void store(const Kernel& k);
  // Inside such a loop: set_cutoff(fc) and update_coefs_fast() on the kernel.
  void retune_fast(Kernel& k, float fc) const;
  // After a loop that retuned: the last cutoff and the kernel's coefficients.
  void store_retuned(const Kernel& k, float fc);

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

inline float LadderVcf::Kernel::tick(float x) {
  // y - y^3 / (6 * 256^2), taken no further than its turning point so that
  // an overdriven input cannot fold back and diverge.
  const float y = a.tick(x, [](float v) {
    constexpr float kTurn = 362.03867f;  // sqrt(393216 / 3)
    v = v > kTurn ? kTurn : (v < -kTurn ? -kTurn : v);
    return v * (1.0f - v * v / 393216.0f);
  });
  const float e = limiter.tick(0.25f * y);
  // Cutoff changes at every sample can pump a second-order section without
  // bound; this ceiling sits far above any level the section reaches at a
  // steady cutoff.
  return b.tick(e > 1.0f ? y / e : y, [](float v) {
    constexpr float kCeiling = 256.0f;
    return v > kCeiling ? kCeiling : (v < -kCeiling ? -kCeiling : v);
  });
}

inline LadderVcf::Kernel LadderVcf::kernel() const {
  return {section_a_.kernel(), limiter_.kernel(), section_b_.kernel()};
}

inline LadderVcf::Kernel LadderVcf::begin_block() {
  // A resonance change since the last design takes effect here at the latest.
  if (changed_) update_coefs();
  return kernel();
}

inline void LadderVcf::store(const Kernel& k) {
  section_a_.store(k.a);
  limiter_.store(k.limiter);
  section_b_.store(k.b);
}

inline void LadderVcf::retune_fast(Kernel& k, float fc) const {
  k.a.c = section_a_.fast_coefs(fc);
  k.b.c = section_b_.fast_coefs(fc);
}

inline void LadderVcf::store_retuned(const Kernel& k, float fc) {
  set_cutoff(fc);
  store(k);
  changed_ = false;
}

inline float LadderVcf::process_sample(float x) {
  Kernel k = kernel();
  const float y = k.tick(x);
  store(k);
  return y;
}

}  // namespace dsp
