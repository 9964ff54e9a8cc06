#include "dsp/saw_wavetable.h"

#include <gtest/gtest.h>

#include <cmath>
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
