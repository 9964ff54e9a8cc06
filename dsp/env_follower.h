#pragma once
// Peak envelope detector with attack, hold and release (times in seconds).

namespace dsp {

class EnvFollower {
public:
  EnvFollower() { update_coefs(); reset(); }

  void set_sample_rate(float fs) { sample_rate_ = fs; update_coefs(); }
  void set_attack(float seconds) { attack_ = seconds; update_coefs(); }
  void set_hold(float seconds) { hold_ = seconds; update_coefs(); }
  void set_release(float seconds) { release_ = seconds; update_coefs(); }

  float tick(float x);
  void reset() {
    envelope_ = 0.0f;
    hold_counter_ = hold_length_;
  }
  float envelope() const { return envelope_; }

private:
  void update_coefs();

  float sample_rate_ = 44100.0f;
  float attack_ = 0.005f;
  float hold_ = 0.02f;
  float release_ = 0.25f;
  float envelope_ = 0.0f;
  float attack_coef_ = 1.0f;
  float release_coef_ = 1.0f;
  int hold_length_ = 0;
  int hold_counter_ = 0;
};

inline float EnvFollower::tick(float x) {
  const float d = (x < 0.0f ? -x : x) - envelope_;
  if (d > 0.0f) {
    envelope_ += d * attack_coef_;
    hold_counter_ = hold_length_;
  } else if (hold_counter_ >= 1) {
    --hold_counter_;
  } else {
    envelope_ += d * release_coef_;
  }
  return envelope_;
}

}  // namespace dsp
