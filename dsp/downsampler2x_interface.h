#pragma once
// Halves the sample rate: two input samples in, one out.

#include <vector>

namespace dsp {

class Downsampler2xInterface {
public:
  virtual ~Downsampler2xInterface() = default;
  // Set-up only: copies the all-pass coefficients.
  virtual void set_coefficients(const std::vector<double>& coefs) = 0;
  virtual void set_coefficients_float(const float coefs[8]) = 0;
  // in[0] is the earlier sample.
  virtual float process_sample(const float in[2]) = 0;
  // Reads exactly 2 * n_out samples.
  virtual void process_block(float* out, const float* in, int n_out) = 0;
  virtual void clear() = 0;
  // False once an output memory holds a denormal number.
  virtual bool state_is_normal() const = 0;
};

}  // namespace dsp
