// The loudness meter of zindle-render on signals whose loudness is known
// (the EBU reference tone).

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "support/signal_measure.h"
#include "tools/render/loudness.h"

using namespace zindle_render;

namespace {

using zindle_test::kPi;

std::vector<float> sine(double hz, double dbfs, double seconds, int rate, double phase = 0.0) {
  return zindle_test::sine(static_cast<int>(seconds * rate), hz / rate, std::pow(10.0, dbfs / 20.0), phase);
}

}  // namespace

// A stereo 1 kHz sine reads its level in LUFS, and silence after it is gated
// out instead of pulling it down by 3 dB. A sine at a quarter of the rate
// sampled 45 degrees off its crests: the samples reach 0.707 of the
// amplitude, the true peak the amplitude.
TEST(Loudness, ReferenceTonesAndCrestsBetweenSamples) {
  if (!measure_loudness({0.0f}, {0.0f}, 48000).metered) GTEST_SKIP() << "built without libebur128";
  for (const auto& [seconds, silence_after, rate] : {std::tuple{20.0, 0.0, 48000}, std::tuple{10.0, 10.0, 44100}}) {
    std::vector<float> tone = sine(1000.0, -23.0, seconds, rate);
    tone.resize(tone.size() + static_cast<size_t>(silence_after * rate), 0.0f);
    const LoudnessReading r = measure_loudness(tone, tone, rate);
    EXPECT_NEAR(r.integrated_lufs, -23.0, 0.1) << rate;
    EXPECT_NEAR(r.sample_peak_dbfs, -23.0, 0.01);
    EXPECT_NEAR(r.true_peak_dbfs, -23.0, 0.1);
  }

  const std::vector<float> x = sine(44100.0 / 4.0, -6.0, 2.0, 44100, kPi / 4.0);
  const LoudnessReading r = measure_loudness(std::vector<float>(x.size(), 0.0f), x, 44100);
  EXPECT_NEAR(r.sample_peak_dbfs, -9.01, 0.02);
  EXPECT_NEAR(r.true_peak_dbfs, -6.0, 0.5);
  EXPECT_DOUBLE_EQ(highest_peak_dbfs(r), r.true_peak_dbfs);
}
