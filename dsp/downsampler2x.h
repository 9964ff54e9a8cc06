#pragma once
// Polyphase half-band IIR decimator: two chains of first-order all-pass
// sections, H(z) = (A(z^2) + z^-1 B(z^2)) / 2. Path A takes the later input
// through the even coefficients, path B the earlier one through the odd.

#include <cmath>
#include <cstddef>
#include <vector>

#include "dsp/downsampler2x_interface.h"

namespace dsp {

template <int NC>
class Downsampler2x : public Downsampler2xInterface {
  static_assert(NC > 0 && NC <= 8 && NC % 2 == 0, "two equal chains of at most 8 sections");

public:
  Downsampler2x() = default;

  void set_coefficients(const std::vector<double>& coefs) override {
    for (std::size_t i = 0; i < NC && i < coefs.size(); ++i) coef_[i] = static_cast<float>(coefs[i]);
  }
  void set_coefficients_float(const float coefs[8]) override {
    for (int i = 0; i < NC; ++i) coef_[i] = coefs[i];
  }

  float process_sample(const float in[2]) override {
    float a = in[1];
    float b = in[0];
    for (int i = 0; i < NC; i += 2) {
      a = section(i, a);
      b = section(i + 1, b);
    }
    return (a + b) * 0.5f;
  }

  void process_block(float* out, const float* in, int n_out) override {
    for (int i = 0; i < n_out; ++i) out[i] = process_sample(in + 2 * i);
  }

  void clear() override {
    for (int i = 0; i < NC; ++i) xm_[i] = ym_[i] = 0.0f;
  }

  bool state_is_normal() const override {
    for (int i = 0; i < NC; ++i) {
      if (std::fpclassify(ym_[i]) == FP_SUBNORMAL) return false;
    }
    return true;
  }

private:
  float section(int i, float x) {
    const float y = (x - ym_[i]) * coef_[i] + xm_[i];
    xm_[i] = x;
    ym_[i] = y;
    return y;
  }

  float coef_[NC] = {};
  float xm_[NC] = {};
  float ym_[NC] = {};
};

}  // namespace dsp
