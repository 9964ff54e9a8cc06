#pragma once
// Sine/cosine pair rotated by a fixed angle per sample: four
// multiplications per step, no trigonometric call while running.

namespace dsp {

class OscSinCosEulerBase {
public:
  virtual ~OscSinCosEulerBase() = default;

  void set_step_angle(double angle);
  float get_cos() const { return cos_; }
  float get_sin() const { return sin_; }
  void step() {
    const float c = cos_ * step_cos_ - sin_ * step_sin_;
    sin_ = sin_ * step_cos_ + cos_ * step_sin_;
    cos_ = c;
  }
  // Puts the pair back on the unit circle; rounding drifts it otherwise.
  void normalize();
  void reset_phase() {
    cos_ = 1.0f;
    sin_ = 0.0f;
  }

private:
  float cos_ = 1.0f;
  float sin_ = 0.0f;
  float step_cos_ = 1.0f;
  float step_sin_ = 0.0f;
};

class OscSinCosEuler : public OscSinCosEulerBase {
public:
  OscSinCosEuler() { update_step(); }

  void set_sample_rate(float fs) {
    sample_rate_ = fs;
    update_step();
  }
  void set_frequency(float f) {
    frequency_ = f;
    update_step();
  }
  float frequency() const { return frequency_; }

private:
  void update_step();

  float sample_rate_ = 44100.0f;
  float frequency_ = 0.0f;
};

}  // namespace dsp
