#include "dsp/fft_real.h"
#include "dsp/saw_wavetable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/signal_measure.h"

namespace {

using SawTable = dsp::WavetableData<12, 12, short, 1, 2>;
constexpr int kN = 4096;
using zindle_test::kPi;

// Correlation of one table level with cos and sin of harmonic h.
struct Partial {
  double re;
  double im;
};
Partial partial_of(const SawTable& t, int level, int h) {
  double re = 0.0, im = 0.0;
  for (int i = 0; i < kN; ++i) {
    re += t.get_sample(level, i) * std::cos(2.0 * kPi * h * i / kN);
    im -= t.get_sample(level, i) * std::sin(2.0 * kPi * h * i / kN);
  }
  return {re * 2.0 / kN, im * 2.0 / kN};
}

TEST(FFTReal, BinLayoutAndSigns) {
  const dsp::FFTReal<float> fft(kN);
  std::vector<float> x(kN), spectrum(kN);
  for (int i = 0; i < kN; ++i)
    x[i] = static_cast<float>(3.0 * std::cos(2 * kPi * 5 * i / kN) - 2.0 * std::sin(2 * kPi * 9 * i / kN) + 0.5 +
                              ((i & 1) ? -1.0 : 1.0));
  fft.forward(spectrum.data(), x.data());
  fft.rescale(spectrum.data());
  struct Expect { int index; double value; };
  const Expect expected[] = {{0, 0.5}, {5, 1.5}, {kN / 2 + 9, 1.0}, {kN / 2, 1.0}, {kN / 2 + 5, 0.0}, {9, 0.0}, {7, 0.0}};
  for (const auto& e : expected) EXPECT_NEAR(spectrum[e.index], e.value, 1e-5) << "index " << e.index;
}

TEST(FFTReal, UnscaledInverseRestoresInputAfterRescale) {
  const dsp::FFTReal<float> fft(kN);
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> x(kN), spectrum(kN), back(kN);
  for (auto& v : x) v = dist(rng);
  fft.forward(spectrum.data(), x.data());
  fft.inverse(back.data(), spectrum.data());
  EXPECT_NEAR(back[17], x[17] * kN, 1e-2);  // unscaled: N times the input
  fft.rescale(back.data());
  for (int i = 0; i < kN; ++i) ASSERT_NEAR(back[i], x[i], 1e-5) << i;
}

TEST(SawWavetable, NaiveRampStartsAfterItsResetInTheFirstStoredLevel) {
  const SawTable& t = dsp::use_shared_saw_table<SawTable>();
  EXPECT_EQ(&t, &dsp::use_shared_saw_table<SawTable>());
  EXPECT_EQ(SawTable::kTotalSize, 53287);
  EXPECT_EQ(t.get_offset(0), 49189);
  EXPECT_EQ(t.get_offset(12), 1);
  EXPECT_EQ(t.get_sample(12, 0), -15872);
  EXPECT_EQ(t.get_sample(12, 4031), 16376);
  EXPECT_EQ(t.get_sample(12, 4032), -16384);
  EXPECT_EQ(t.get_sample(12, 4095), -15880);
  for (int i = 1; i < kN; ++i) {
    if (i == 4032) continue;
    ASSERT_EQ(t.get_sample(12, i) - t.get_sample(12, i - 1), 8) << i;
  }
}

TEST(SawWavetable, LowestLevelsAreConstantAndOneCosine) {
  const SawTable& t = dsp::use_shared_saw_table<SawTable>();
  const short dc = t.get_sample(0, 0);
  EXPECT_LE(std::abs(dc), 8);  // the ramp's mean is -4
  for (int i = 0; i < kN; ++i) ASSERT_EQ(t.get_sample(0, i), dc) << i;

  // Level 1: the real part of bin 1 only, i.e. a cosine starting at its peak.
  const Partial p1 = partial_of(t, 1, 1);
  EXPECT_GT(std::abs(p1.re), 500.0);
  EXPECT_NEAR(p1.im, 0.0, 1.0);
  for (int h = 2; h < 40; ++h) {
    const Partial p = partial_of(t, 1, h);
    EXPECT_LT(std::hypot(p.re, p.im), 1.0) << h;
  }
  for (int i = 0; i < kN; ++i) {
    const double model = dc + p1.re * std::cos(2 * kPi * i / kN);
    ASSERT_NEAR(t.get_sample(1, i), model, 1.5) << i;
  }
}

TEST(SawWavetable, EachLevelStopsAtItsHarmonicLimit) {
  const SawTable& t = dsp::use_shared_saw_table<SawTable>();
  const Partial top_fundamental = partial_of(t, 12, 1);
  for (int level = 2; level <= 11; ++level) {
    const int limit = 1 << (level - 1);
    // Harmonics below the limit keep the ramp's amplitude (about 2/pi / h).
    const Partial kept = partial_of(t, level, limit - 1);
    const Partial ref = partial_of(t, 12, limit - 1);
    EXPECT_NEAR(std::hypot(kept.re, kept.im), std::hypot(ref.re, ref.im), 1.0) << level;
    const Partial above = partial_of(t, level, limit + 1);
    EXPECT_LT(std::hypot(above.re, above.im), 1.0) << level;
    // The limit bin itself keeps only its cosine part.
    const Partial edge = partial_of(t, level, limit);
    EXPECT_NEAR(edge.im, 0.0, 1.0) << level;
    EXPECT_NEAR(edge.re, partial_of(t, 12, limit).re, 1.0) << level;
  }
  EXPECT_NEAR(std::hypot(top_fundamental.re, top_fundamental.im), 2.0 / kPi * 16384, 20.0);
}

}  // namespace
