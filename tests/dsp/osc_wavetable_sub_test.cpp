#include "dsp/interpolator.h"
#include "dsp/osc_sync_wavetable_sub.h"
#include "dsp/osc_wavetable_sub.h"
#include "dsp/pitch_exp.h"
#include "osc_measure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Osc = dsp::OscWavetableSub<dsp::Interpolator::CubicHermite, 12, 12, short, 1, 2>;
using SyncOsc = dsp::OscSyncWavetableSub<dsp::Interpolator::CubicHermite, 12, 12, 16, 8, short, 1, 2>;
using osc_test::pitch_of;

std::vector<int16_t> render_saw(Osc& osc, int n, std::vector<int16_t>* square = nullptr) {
  std::vector<int16_t> saw(n), sq(n);
  osc.render(saw.data(), sq.data(), n);
  if (square) *square = sq;
  return saw;
}

void set_width(Osc& osc, double w) {
  const auto width = static_cast<uint32_t>(std::lround(w * 4294967296.0));
  osc.set_pulse_width(width, static_cast<int16_t>(16384 - static_cast<int>(width >> 17)));
}

TEST(OscWavetableSub, LevelAndIncrementFollowPitchDistance) {
  const int max_pitch = 812458;
  struct Case { int below; int level; uint64_t increment; };
  const Case cases[] = {
      {1, 1, 0},                                // clamped just below Nyquist: a pure sine
      {0, 1, 0},                                // a pitch equal to the maximum is clamped too
      {65536, 1, uint64_t{1} << 42},            // a quarter cycle per sample
      {65537, 2, 0},
      {12 * 65536, 12, uint64_t{1} << 31},      // half a table sample per sample
      {13 * 65536, 12, uint64_t{1} << 30},      // below level 12 the increment keeps halving
      {15 * 65536, 12, uint64_t{1} << 28},
  };
  for (const auto& c : cases) {
    Osc osc;
    osc.set_max_pitch(max_pitch);
    osc.set_pitch(max_pitch - c.below);
    EXPECT_EQ(osc.get_level(), c.level) << c.below;
    if (c.increment != 0) {
      EXPECT_EQ(osc.get_increment(), c.increment) << c.below;
    }
  }
}

TEST(OscWavetableSub, PulseHasFullLevelsAndItsWidth) {
  for (const double w : {0.5, 0.25, 0.1, 0.01}) {
    Osc osc;
    osc.set_max_pitch(812458);
    osc.set_pitch(pitch_of(100.0));  // 882 samples per cycle
    set_width(osc, w);
    std::vector<int16_t> sq;
    render_saw(osc, 882 * 20, &sq);
    std::vector<int16_t> low, high;
    for (const int16_t s : sq) (s < 0 ? low : high).push_back(s);
    EXPECT_NEAR(static_cast<double>(low.size()) / sq.size(), w, 0.003) << w;
    // The plateaus sit at +-16384 (the DC offset recentres narrow pulses).
    std::sort(high.begin(), high.end());
    EXPECT_NEAR(high[high.size() / 2], 16384, 200) << w;
    if (w >= 0.1) {
      std::sort(low.begin(), low.end());
      EXPECT_NEAR(low[low.size() / 2], -16384, 200) << w;
    }
  }
}

// Rendered at the doubled rate and decimated, both waveforms keep their
// non-harmonic content far below the fundamental up to 10 kHz. Over the full
// band the worst case is a partial in the decimator's transition band
// (22.05-22.49 kHz) folding to just below 22 kHz.
TEST(OscWavetableSub, AliasingStaysLowAfterDecimation) {
  const double host_rate = 44100.0;
  const double audible_edge = 20000.0 / host_rate;
  osc_test::Spur worst_full{-999.0, 0.0};
  double worst_audible = -999.0;
  for (const double hz : {110.0, 440.0, 1234.5, 3520.0, 7040.0, 10000.0}) {
    Osc osc;
    osc.set_max_pitch(dsp::nyquist_pitch(static_cast<float>(2 * host_rate)));
    osc.set_pitch(pitch_of(hz));
    set_width(osc, 0.1);
    std::vector<int16_t> sq;
    const auto saw = render_saw(osc, 1 << 17, &sq);
    const double f = hz / host_rate;  // pitch rounding moves it by far less than a bin
    for (const std::vector<int16_t>* wave : {&saw, static_cast<const std::vector<int16_t>*>(&sq)}) {
      const auto out = osc_test::decimate(*wave);
      const auto full = osc_test::worst_non_harmonic(out, f);
      const auto audible = osc_test::worst_non_harmonic(out, f, audible_edge);
      if (full.db > worst_full.db) worst_full = full;
      worst_audible = std::max(worst_audible, audible.db);
      std::printf("%8.1f Hz %s: %.1f dB at %.0f Hz, below 20 kHz %.1f dB\n", hz, wave == &saw ? "saw  " : "pulse",
                  full.db, full.cycles_per_sample * host_rate, audible.db);
    }
  }
  EXPECT_LT(worst_audible, -74.0);  // measured -77.0 (10 kHz pulse)
  EXPECT_LT(worst_full.db, -36.0);  // measured -38.7 at 21.9 kHz
  EXPECT_GT(worst_full.cycles_per_sample * host_rate, 21000.0);
}

// Restarts between sample instants are band-limited: with the master at a
// non-integer period the decimated output keeps its aliases low. Without the
// step correction these cases measure -47.5, -38.6 and -33.9 dB.
TEST(OscSyncWavetableSub, SubSampleRestartsStayBandLimited) {
  const double host_rate = 44100.0;
  struct Case { double hz; double limit_db; };  // measured -74.3, -55.2, -40.0
  for (const Case c : {Case{220.0, -71.0}, Case{587.3, -52.0}, Case{1661.2, -37.0}}) {
    SyncOsc sync;
    sync.set_max_pitch(812458);
    sync.set_master_pitch(pitch_of(c.hz));
    sync.set_pitch(pitch_of(c.hz) + 86000);  // about 2.5 times the master
    std::vector<int16_t> saw(1 << 17), square(1 << 17);
    sync.render(saw.data(), square.data(), 1 << 17);
    // master cycles per host-rate sample
    const double f = 2.0 * 4294967296.0 / static_cast<double>(sync.get_master_period());
    const auto spur = osc_test::worst_non_harmonic(osc_test::decimate(saw), f, 20000.0 / host_rate);
    std::printf("sync %7.1f Hz: %.1f dB at %.0f Hz\n", c.hz, spur.db, spur.cycles_per_sample * host_rate);
    EXPECT_LT(spur.db, c.limit_db) << c.hz;
  }
}

}  // namespace
