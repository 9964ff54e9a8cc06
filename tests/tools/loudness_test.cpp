// The loudness meter of zindle-render and its audition table, on signals
// whose loudness is known (the EBU reference tones).

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "tools/render/audition_report.h"
#include "tools/render/loudness.h"

using namespace zindle_render;

namespace {

const double kPi = 3.14159265358979323846;

std::vector<float> sine(double hz, double dbfs, double seconds, int rate, double phase = 0.0) {
  std::vector<float> x(static_cast<size_t>(seconds * rate));
  const double amplitude = std::pow(10.0, dbfs / 20.0);
  for (size_t i = 0; i < x.size(); ++i) x[i] = float(amplitude * std::sin(2.0 * kPi * hz * i / rate + phase));
  return x;
}

bool meter_built() { return measure_loudness({0.0f}, {0.0f}, 48000).metered; }

}  // namespace

// A stereo 1 kHz sine reads its level in LUFS; silence after it is gated
// out of the integrated loudness instead of pulling it down by 3 dB.
TEST(Loudness, ReferenceTonesReadTheirLevel) {
  if (!meter_built()) GTEST_SKIP() << "built without libebur128";
  struct Case {
    double dbfs;
    double seconds;
    double silence_after;
    int rate;
  };
  const Case cases[] = {{-23.0, 20.0, 0.0, 48000}, {-33.0, 20.0, 0.0, 48000}, {-23.0, 10.0, 10.0, 44100}};
  for (const Case& c : cases) {
    std::vector<float> tone = sine(1000.0, c.dbfs, c.seconds, c.rate);
    tone.resize(tone.size() + static_cast<size_t>(c.silence_after * c.rate), 0.0f);
    const LoudnessReading r = measure_loudness(tone, tone, c.rate);
    EXPECT_NEAR(r.integrated_lufs, c.dbfs, 0.1) << c.dbfs << " dBFS at " << c.rate;
    EXPECT_NEAR(r.sample_peak_dbfs, c.dbfs, 0.01);
    EXPECT_NEAR(r.true_peak_dbfs, c.dbfs, 0.1);
  }
}

// A sine at a quarter of the rate sampled 45 degrees off its crests: the
// samples reach 0.707 of the amplitude, the true peak the amplitude.
TEST(Loudness, TruePeakFindsTheCrestsBetweenSamples) {
  if (!meter_built()) GTEST_SKIP() << "built without libebur128";
  const std::vector<float> x = sine(44100.0 / 4.0, -6.0, 2.0, 44100, kPi / 4.0);
  const std::vector<float> quiet(x.size(), 0.0f);
  const LoudnessReading r = measure_loudness(quiet, x, 44100);
  EXPECT_NEAR(r.sample_peak_dbfs, -9.01, 0.02);
  EXPECT_NEAR(r.true_peak_dbfs, -6.0, 0.5);
  EXPECT_DOUBLE_EQ(highest_peak_dbfs(r), r.true_peak_dbfs);
}

TEST(Loudness, SilenceAndBadInputGiveClearReadings) {
  const std::vector<float> silence(44100, 0.0f);
  EXPECT_EQ(measure_loudness(silence, silence, 44100).integrated_lufs, kSilentDb);
  EXPECT_EQ(measure_loudness({}, {}, 44100).sample_peak_dbfs, kSilentDb);

  // No rate: no loudness, the sample peak all the same; unequal channels
  // are read over the shorter one.
  const std::vector<float> half = {0.5f, -0.25f};
  const LoudnessReading no_rate = measure_loudness(half, {0.0f, 0.0f, 1.0f}, 0);
  EXPECT_FALSE(no_rate.metered);
  EXPECT_EQ(no_rate.integrated_lufs, kSilentDb);
  EXPECT_NEAR(no_rate.sample_peak_dbfs, -6.02, 0.01);
}

TEST(LoudnessSpread, PercentilesInterpolateBetweenRanks) {
  struct Case {
    std::vector<double> values;
    LoudnessSpread expected;
  };
  const Case cases[] = {
      {{10, -30, 0, -10, -20}, {-30, -26, -10, 6, 10}},
      {{-18}, {-18, -18, -18, -18, -18}},
      {{-20, -21}, {-21, -20.9, -20.5, -20.1, -20}},
      {{}, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const LoudnessSpread s = loudness_spread(c.values);
    const double got[] = {s.min, s.p10, s.median, s.p90, s.max};
    const double want[] = {c.expected.min, c.expected.p10, c.expected.median, c.expected.p90, c.expected.max};
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(got[i], want[i], 1e-12) << i;
  }
}

TEST(AuditionTable, RowsAndSpread) {
  LoudnessReading loud;
  loud.metered = true;
  loud.integrated_lufs = -20.04;
  loud.true_peak_dbfs = -3.0;
  loud.sample_peak_dbfs = -3.46;
  LoudnessReading silent;
  silent.metered = true;
  const std::string table = format_audition_table({{"Bass", loud}, {"Rest", silent}, {"Lead", loud}});
  EXPECT_NE(table.find("  0  Bass                    -20.0       -3.0         -3.5\n"), std::string::npos) << table;
  EXPECT_NE(table.find("  1  Rest                     -inf       -inf         -inf\n"), std::string::npos) << table;
  EXPECT_NE(table.find("median -20.0"), std::string::npos) << table;
  EXPECT_NE(table.find("spread 0.0 LU, 1 silent"), std::string::npos) << table;

  LoudnessReading unmetered;
  unmetered.sample_peak_dbfs = -1.0;
  const std::string peaks_only = format_audition_table({{"Bass", unmetered}});
  EXPECT_TRUE(std::regex_search(peaks_only, std::regex(R"(  0  Bass +n/a +n/a +-1\.0\n)"))) << peaks_only;
}
