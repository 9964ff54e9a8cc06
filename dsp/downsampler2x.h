#pragma once
// Polyphase half-band IIR decimator: two chains of first-order all-pass
// sections, H(z) = (A(z^2) + z^-1 B(z^2)) / 2. Path A takes the later input
// through the even coefficients, path B the earlier one through the odd.

#include <cstddef>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dsp {

template <int NC>
class Downsampler2x {
  static_assert(NC > 0 && NC <= 8 && NC % 2 == 0, "two equal chains of at most 8 sections");

public:
  Downsampler2x() = default;

  // Both chains in locals for a block loop: kernel(), tick() per output
  // sample, store(). With SSE2 path A runs in lane 0 and path B in lane 1 of
  // one register, each lane with the scalar path's arithmetic.
  class Kernel {
  public:
    float tick(const float in[2]) {
#if defined(__SSE2__)
      __m128 x = _mm_setr_ps(in[1], in[0], 0.0f, 0.0f);
      for (int j = 0; j < NC / 2; ++j) {
        const __m128 y = _mm_add_ps(_mm_mul_ps(_mm_sub_ps(x, ym_[j]), coef_[j]), xm_[j]);
        xm_[j] = x;
        ym_[j] = y;
        x = y;
      }
      const float a = _mm_cvtss_f32(x);
      const float b = _mm_cvtss_f32(_mm_shuffle_ps(x, x, _MM_SHUFFLE(1, 1, 1, 1)));
#else
      float a = in[1];
      float b = in[0];
      for (int i = 0; i < NC; i += 2) {
        a = section(i, a);
        b = section(i + 1, b);
      }
#endif
      return (a + b) * 0.5f;
    }

  private:
    friend class Downsampler2x;
#if defined(__SSE2__)
    __m128 coef_[NC / 2];
    __m128 xm_[NC / 2];
    __m128 ym_[NC / 2];
#else
    float section(int i, float x) {
      const float y = (x - ym_[i]) * coef_[i] + xm_[i];
      xm_[i] = x;
      ym_[i] = y;
      return y;
    }
    float coef_[NC];
    float xm_[NC];
    float ym_[NC];
#endif
  };

  Kernel kernel() const {
    Kernel k;
#if defined(__SSE2__)
    for (int j = 0; j < NC / 2; ++j) {
      k.coef_[j] = _mm_setr_ps(coef_[2 * j], coef_[2 * j + 1], 0.0f, 0.0f);
      k.xm_[j] = _mm_setr_ps(xm_[2 * j], xm_[2 * j + 1], 0.0f, 0.0f);
      k.ym_[j] = _mm_setr_ps(ym_[2 * j], ym_[2 * j + 1], 0.0f, 0.0f);
    }
#else
    for (int i = 0; i < NC; ++i) {
      k.coef_[i] = coef_[i];
      k.xm_[i] = xm_[i];
      k.ym_[i] = ym_[i];
    }
#endif
    return k;
  }

  void store(const Kernel& k) {
#if defined(__SSE2__)
    for (int j = 0; j < NC / 2; ++j) {
      float xm[4];
      float ym[4];
      _mm_storeu_ps(xm, k.xm_[j]);
      _mm_storeu_ps(ym, k.ym_[j]);
      xm_[2 * j] = xm[0];
      xm_[2 * j + 1] = xm[1];
      ym_[2 * j] = ym[0];
      ym_[2 * j + 1] = ym[1];
    }
#else
    for (int i = 0; i < NC; ++i) {
      xm_[i] = k.xm_[i];
      ym_[i] = k.ym_[i];
    }
#endif
  }

  // Set-up only: copies the all-pass coefficients.
  void set_coefficients(const std::vector<double>& coefs) {
    for (std::size_t i = 0; i < NC && i < coefs.size(); ++i) coef_[i] = static_cast<float>(coefs[i]);
  }
  void set_coefficients_float(const float coefs[8]) {
    for (int i = 0; i < NC; ++i) coef_[i] = coefs[i];
  }

  // Reads exactly 2 * n_out samples, the earlier of each pair first.
  void process_block(float* out, const float* in, int n_out) {
    Kernel k = kernel();
    for (int i = 0; i < n_out; ++i) out[i] = k.tick(in + 2 * i);
    store(k);
  }

  void clear() {
    for (int i = 0; i < NC; ++i) xm_[i] = ym_[i] = 0.0f;
  }

private:
  float coef_[NC] = {};
  float xm_[NC] = {};
  float ym_[NC] = {};
};

}  // namespace dsp
