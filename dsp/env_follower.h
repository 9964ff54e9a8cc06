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

  // The detector in locals for a block loop; tick() is EnvFollower::tick.
  struct Kernel {
    float envelope;
    float attack_coef;
    float release_coef;
    int hold_length;
    int hold_counter;

    float tick(float x) {
      const float d = (x < 0.0f ? -x : x) - envelope;
      if (d > 0.0f) {
        envelope += d * attack_coef;
        hold_counter = hold_length;
      } else if (hold_counter >= 1) {
        --hold_counter;
      } else {
        envelope += d * release_coef;
      }
      return envelope;
    }
  };
  Kernel kernel() const { return {envelope_, attack_coef_, release_coef_, hold_length_, hold_counter_}; }
  void store(const Kernel& k) {
    envelope_ = k.envelope;
    hold_counter_ = k.hold_counter;
  }

  float tick(float x) {
    Kernel k = kernel();
    const float e = k.tick(x);
    store(k);
    return e;
  }
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

}  // namespace dsp
