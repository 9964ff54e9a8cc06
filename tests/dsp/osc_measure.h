#pragma once
// Measurements on rendered oscillator output: decimation to the host rate
// and the largest non-harmonic spectral component.

#include "dsp/downsampler2x.h"
#include "dsp/fft_real.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace osc_test {

constexpr double kPi = 3.14159265358979323846;
constexpr int kNote69Pitch = 69 * 65536 / 12;  // 440 Hz

// Pitch units of a frequency in Hz.
inline int pitch_of(double hz) {
  return kNote69Pitch + static_cast<int>(std::lround(65536.0 * std::log2(hz / 440.0)));
}

// Halves the rate of int16 samples (16384 = 1.0) with the product's decimator.
inline std::vector<float> decimate(const std::vector<int16_t>& x) {
  static const float coefs[8] = {0.0771150798f, 0.2659685265f, 0.4820706251f, 0.6651041533f,
                                 0.7968204713f, 0.8841015086f, 0.9412514278f, 0.9820054142f};
  dsp::Downsampler2x<8> down;
  down.set_coefficients_float(coefs);
  std::vector<float> in(x.size());
  for (size_t i = 0; i < x.size(); ++i) in[i] = x[i] / 16384.0f;
  std::vector<float> out(x.size() / 2);
  down.process_block(out.data(), in.data(), static_cast<int>(out.size()));
  return out;
}

struct Spur {
  double db;                 // relative to the fundamental
  double cycles_per_sample;  // where it lies
};

// Largest spectral component below `band_edge` (cycles per sample) that is
// neither a harmonic of `cycles_per_sample` nor near DC. Uses the last 2^15
// samples with a 4-term Blackman-Harris window.
inline Spur worst_non_harmonic(const std::vector<float>& x, double cycles_per_sample, double band_edge = 0.5) {
  constexpr int n = 1 << 15;
  constexpr int guard_bins = 10;
  const dsp::FFTReal<double> fft(n);
  std::vector<double> t(n), s(n);
  const size_t start = x.size() - n;
  for (int i = 0; i < n; ++i) {
    const double a = 2.0 * kPi * i / n;
    const double w = 0.35875 - 0.48829 * std::cos(a) + 0.14128 * std::cos(2 * a) - 0.01168 * std::cos(3 * a);
    t[i] = w * x[start + i];
  }
  fft.forward(s.data(), t.data());
  auto magnitude = [&](int k) { return k == n / 2 || k == 0 ? std::fabs(s[k]) : std::hypot(s[k], s[n / 2 + k]); };
  const double f0_bin = cycles_per_sample * n;
  double fundamental = 0.0;
  for (int k = std::max(1, int(f0_bin) - guard_bins); k <= int(f0_bin) + guard_bins; ++k)
    fundamental = std::max(fundamental, magnitude(k));
  double worst = 0.0;
  int worst_bin = 0;
  for (int k = guard_bins; k <= n / 2 && k <= band_edge * n; ++k) {
    const double h = std::round(k / f0_bin);
    if (h >= 1.0 && std::fabs(k - h * f0_bin) <= guard_bins) continue;
    if (magnitude(k) > worst) {
      worst = magnitude(k);
      worst_bin = k;
    }
  }
  return {20.0 * std::log10(worst / fundamental), static_cast<double>(worst_bin) / n};
}

}  // namespace osc_test
