#pragma once
// Moves a value linearly to its target within a fixed time, advanced in
// blocks; the target is met exactly in the block that reaches it.

namespace dsp {

class LinearRamp {
public:
  void set_ramp_time(float seconds) { ramp_time_ = seconds; }
  // Keeps the time left to the target.
  void set_sample_rate(float fs);
  void set_target(float target);
  void advance(int n);
  void jump_to_target() {
    current_ = target_;
    step_ = 0.0;
  }

  double value() const { return current_; }
  float target() const { return target_; }
  bool is_moving() const { return step_ != 0.0; }

private:
  float ramp_time_ = 0.1f;
  float sample_rate_ = 44100.0f;
  float start_ = 0.0f;
  float target_ = 0.0f;
  double current_ = 0.0;
  double step_ = 0.0;
};

}  // namespace dsp
