// The loudness meter: libebur128.

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "tools/render/loudness.h"

namespace zindle_render {
namespace {

struct MeterCloser {
  void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

}  // namespace

LoudnessReading measure_loudness(const std::vector<float>& left, const std::vector<float>& right, int sample_rate) {
  LoudnessReading reading;
  reading.sample_peak_dbfs = sample_peak_dbfs(left, right);

  const size_t frames = std::min(left.size(), right.size());
  if (sample_rate <= 0) return reading;
  std::unique_ptr<ebur128_state, MeterCloser> meter(
      ebur128_init(2, static_cast<unsigned long>(sample_rate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
  if (!meter) return reading;

  constexpr size_t kChunk = 4096;
  std::vector<float> interleaved(2 * kChunk);
  for (size_t start = 0; start < frames; start += kChunk) {
    const size_t n = std::min(kChunk, frames - start);
    for (size_t i = 0; i < n; ++i) {
      interleaved[2 * i] = left[start + i];
      interleaved[2 * i + 1] = right[start + i];
    }
    if (ebur128_add_frames_float(meter.get(), interleaved.data(), n) != EBUR128_SUCCESS) return reading;
  }

  double lufs = 0.0;
  double true_peak[2] = {0.0, 0.0};
  if (ebur128_loudness_global(meter.get(), &lufs) != EBUR128_SUCCESS ||
      ebur128_true_peak(meter.get(), 0, &true_peak[0]) != EBUR128_SUCCESS ||
      ebur128_true_peak(meter.get(), 1, &true_peak[1]) != EBUR128_SUCCESS)
    return reading;
  reading.metered = true;
  reading.integrated_lufs = std::isfinite(lufs) ? lufs : kSilentDb;
  reading.true_peak_dbfs = amplitude_to_dbfs(std::max(true_peak[0], true_peak[1]));
  return reading;
}

}  // namespace zindle_render
