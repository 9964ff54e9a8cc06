#pragma once
// Second-order section designed from an analogue prototype
// (B0 + B1 s + B2 s^2) / (A0 + A1 s + A2 s^2), s normalised to the cutoff,
// by the bilinear transform. Runs in direct form I, single precision.

namespace dsp {

class Biquad {
public:
  struct Coefs {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
  };

  // Coefficients and history: the section's whole running state. A block
  // loop takes it into locals with kernel() and hands it back with store().
  struct Kernel {
    Coefs c;
    float x1 = 0.0f, x2 = 0.0f, y1 = 0.0f, y2 = 0.0f;

    // `shape` maps the computed output before it is stored as history, so a
    // nonlinearity sits inside the recursion.
    template <class Shape>
    float tick(float x, Shape shape) {
      float y = c.b0 * x + c.b1 * x1 + c.b2 * x2 - (c.a1 * y1 + c.a2 * y2);
      y = shape(y);
      x2 = x1;
      x1 = x;
      y2 = y1;
      y1 = y;
      return y;
    }
    float tick(float x) { return tick(x, [](float y) { return y; }); }
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

  Kernel kernel() const { return state_; }
  void store(const Kernel& k) { state_ = k; }

  void clear();

  float sample_rate() const { return sample_rate_; }
  float cutoff() const { return cutoff_; }

protected:
  Kernel state_;
  float proto_b0_ = 1.0f, proto_b1_ = 0.0f, proto_b2_ = 0.0f;
  float proto_a0_ = 1.0f, proto_a1_ = 0.0f, proto_a2_ = 0.0f;
  float sample_rate_ = 44100.0f;
  float cutoff_ = 1000.0f;

private:
  void design(double k);
};

}  // namespace dsp
