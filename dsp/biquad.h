#pragma once
// Second-order section designed from an analogue prototype
// (B0 + B1 s + B2 s^2) / (A0 + A1 s + A2 s^2), s normalised to the cutoff,
// by the bilinear transform. Runs in direct form I, single precision.

namespace dsp {

class Biquad {
public:
  void set_sample_rate(float fs) { sample_rate_ = fs; }
  void set_cutoff(float fc) { cutoff_ = fc; }
  void set_prototype(float b0, float b1, float b2, float a0, float a1, float a2);

  // Exact design in double precision.
  void update_coefs();
  // Per-sample design in float with a polynomial tangent; accurate well
  // below the Nyquist frequency only.
  void update_coefs_fast();

  // In place when in == out.
  void process(const float* in, float* out, int n);
  float process_sample(float x) {
    return process_sample_shaped(x, [](float y) { return y; });
  }
  // `shape` maps the computed output before it is stored as history, so a
  // nonlinearity sits inside the recursion.
  template <class Shape>
  float process_sample_shaped(float x, Shape shape);
  void clear();

  float sample_rate() const { return sample_rate_; }
  float cutoff() const { return cutoff_; }

protected:
  float b0_ = 1.0f, b1_ = 0.0f, b2_ = 0.0f;
  float a0_ = 1.0f, a1_ = 0.0f, a2_ = 0.0f;
  float x_[2] = {0.0f, 0.0f};
  float y_[2] = {0.0f, 0.0f};
  int newer_ = 0;  // history slot holding x1 and y1
  float proto_b0_ = 1.0f, proto_b1_ = 0.0f, proto_b2_ = 0.0f;
  float proto_a0_ = 1.0f, proto_a1_ = 0.0f, proto_a2_ = 0.0f;
  float sample_rate_ = 44100.0f;
  float cutoff_ = 1000.0f;

private:
  void design(double k);
};

template <class Shape>
inline float Biquad::process_sample_shaped(float x, Shape shape) {
  const int older = newer_ ^ 1;
  float y = b0_ * x + b1_ * x_[newer_] + b2_ * x_[older] -
            (a1_ * y_[newer_] + a2_ * y_[older]);
  y = shape(y);
  x_[older] = x;
  y_[older] = y;
  newer_ = older;
  return y;
}

}  // namespace dsp
