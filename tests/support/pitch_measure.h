#pragma once
// Pitch of a rendered tone, for tests that check what the synth plays.

#include <cstddef>
#include <vector>

namespace zindle_test {

// Frequency from the rising zero crossings after sample `from`,
// interpolated between samples; 0 when fewer than two crossings.
inline double zero_crossing_frequency(const std::vector<float>& x, double sample_rate, size_t from = 0) {
  double first = -1.0;
  double last = -1.0;
  int crossings = 0;
  for (size_t i = from + 1; i < x.size(); ++i) {
    if (x[i - 1] < 0.0f && x[i] >= 0.0f) {
      const double t = static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
      if (first < 0.0) first = t;
      last = t;
      ++crossings;
    }
  }
  return crossings < 2 ? 0.0 : (crossings - 1) * sample_rate / (last - first);
}

}  // namespace zindle_test
