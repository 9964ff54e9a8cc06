#include <algorithm>
#include <cmath>

#include "tools/render/loudness.h"

namespace zindle_render {

double amplitude_to_dbfs(double amplitude) { return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : kSilentDb; }

double sample_peak_dbfs(const std::vector<float>& left, const std::vector<float>& right) {
  const size_t frames = std::min(left.size(), right.size());
  float peak = 0.0f;
  for (size_t i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  return amplitude_to_dbfs(peak);
}

double highest_peak_dbfs(const LoudnessReading& reading) {
  return std::max(reading.true_peak_dbfs, reading.sample_peak_dbfs);
}

}  // namespace zindle_render
