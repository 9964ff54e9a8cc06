#pragma once
// Measurements on rendered audio: the amplitude of one frequency component
// (Hann-windowed correlation), levels, finiteness and plain sine rendering.

#include <cmath>
#include <cstddef>
#include <vector>

namespace zindle_test {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Amplitude of the component at `cycles_per_sample` in x[0..n).
inline double tone_amplitude(const float* x, int n, double cycles_per_sample) {
  double re = 0.0, im = 0.0, wsum = 0.0;
  for (int i = 0; i < n; ++i) {
    const double w = 0.5 - 0.5 * std::cos(kTwoPi * (i + 0.5) / n);
    const double ph = kTwoPi * cycles_per_sample * i;
    re += w * x[i] * std::cos(ph);
    im += w * x[i] * std::sin(ph);
    wsum += w;
  }
  return 2.0 * std::sqrt(re * re + im * im) / wsum;
}

inline std::vector<float> sine(int n, double cycles_per_sample, double amplitude = 1.0, double phase = 0.0) {
  std::vector<float> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<float>(amplitude * std::sin(kTwoPi * cycles_per_sample * i + phase));
  return v;
}

inline double to_db(double gain) { return 20.0 * std::log10(gain); }

inline float peak(const float* x, int n) {
  float p = 0.0f;
  for (int i = 0; i < n; ++i) p = std::fmax(p, std::fabs(x[i]));
  return p;
}

inline double rms(const float* x, size_t n) {
  double sum = 0.0;
  for (size_t i = 0; i < n; ++i) sum += static_cast<double>(x[i]) * x[i];
  return n == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(n));
}
inline double rms(const std::vector<float>& x) { return rms(x.data(), x.size()); }

inline bool all_finite(const std::vector<float>& x) {
  for (float v : x)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace zindle_test
