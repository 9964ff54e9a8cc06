#pragma once
// Second-order section designed from an analogue prototype
// (B0 + B1 s + B2 s^2) / (A0 + A1 s + A2 s^2), s normalised to the cutoff,
// by the bilinear transform. Runs in direct form I, single precision.

namespace dsp {

class Biquad {
public:
  struct Coefs {
    float b0, b1, b2, a1, a2;
  };

  // Coefficients and history in locals for a block loop: kernel() loads
  // them, tick() runs one sample with process_sample_shaped's arithmetic,
  // store() writes them back.
  struct Kernel {
    float b0, b1, b2, a1, a2;
    float x1, x2, y1, y2;

    template <class Shape>
    float tick(float x, Shape shape) {
      float y = b0 * x + b1 * x1 + b2 * x2 - (a1 * y1 + a2 * y2);
      y = shape(y);
      x2 = x1;
      x1 = x;
      y2 = y1;
      y1 = y;
      return y;
    }
    float tick(float x) { return tick(x, [](float y) { return y; }); }
    void set_coefs(const Coefs& c) {
      b0 = c.b0;
      b1 = c.b1;
      b2 = c.b2;
      a1 = c.a1;
      a2 = c.a2;
    }
  };

  void set_sample_rate(float fs) { sample_rate_ = fs; }
  void set_cutoff(float fc) { cutoff_ = fc; }
  void set_prototype(float b0, float b1, float b2, float a0, float a1, float a2);

  // Exact design in double precision.
  void update_coefs();
  // Per-sample design in float with a polynomial tangent; accurate well
  // below the Nyquist frequency only.
  void update_coefs_fast();
  // The coefficients update_coefs_fast would give for `cutoff`.
  Coefs fast_coefs(float cutoff) const;

  Kernel kernel() const {
    const int older = newer_ ^ 1;
    return {b0_, b1_, b2_, a1_, a2_, x_[newer_], x_[older], y_[newer_], y_[older]};
  }
  void store(const Kernel& k) {
    b0_ = k.b0;
    b1_ = k.b1;
    b2_ = k.b2;
    a1_ = k.a1;
    a2_ = k.a2;
    newer_ = 0;
    x_[0] = k.x1;
    x_[1] = k.x2;
    y_[0] = k.y1;
    y_[1] = k.y2;
  }

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
