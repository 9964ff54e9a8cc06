#pragma once
// Loudness and peak level of a stereo rendering: integrated loudness after
// ITU-R BS.1770 with the EBU R128 gates, true peak (4x oversampled) and
// sample peak. The meter is libebur128; a build without it still reports
// the sample peak.

#include <limits>
#include <vector>

namespace zindle_render {

constexpr double kSilentDb = -std::numeric_limits<double>::infinity();

struct LoudnessReading {
  bool metered = false;                // false: no loudness meter in this build
  double integrated_lufs = kSilentDb;  // silent when every block falls below the gate
  double true_peak_dbfs = kSilentDb;   // only when metered
  double sample_peak_dbfs = kSilentDb;
};

// Both channels hold the same number of samples; an empty rendering reads
// as silence.
LoudnessReading measure_loudness(const std::vector<float>& left, const std::vector<float>& right, int sample_rate);

// The largest magnitude of either channel; silent for no samples.
double sample_peak_dbfs(const std::vector<float>& left, const std::vector<float>& right);

// The larger of the two peaks the reading holds.
double highest_peak_dbfs(const LoudnessReading& reading);

double amplitude_to_dbfs(double amplitude);

}  // namespace zindle_render
