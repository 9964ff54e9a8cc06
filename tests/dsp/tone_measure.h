#pragma once
// Measurements on rendered audio: the amplitude of one frequency component
// (Hann-windowed correlation) and plain sine rendering.

#include <cmath>
#include <vector>

namespace zindle_test {

constexpr double kTwoPi = 6.28318530717958647692;

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

inline std::vector<float> sine(int n, double cycles_per_sample, double amplitude = 1.0) {
  std::vector<float> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<float>(amplitude * std::sin(kTwoPi * cycles_per_sample * i));
  return v;
}

inline double to_db(double gain) { return 20.0 * std::log10(gain); }

inline float peak(const float* x, int n) {
  float p = 0.0f;
  for (int i = 0; i < n; ++i) p = std::fmax(p, std::fabs(x[i]));
  return p;
}

}  // namespace zindle_test
