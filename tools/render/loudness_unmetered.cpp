// Builds without libebur128 (the Windows cross builds): the sample peak only.

#include "tools/render/loudness.h"

namespace zindle_render {

LoudnessReading measure_loudness(const std::vector<float>& left, const std::vector<float>& right, int) {
  LoudnessReading reading;
  reading.sample_peak_dbfs = sample_peak_dbfs(left, right);
  return reading;
}

}  // namespace zindle_render
