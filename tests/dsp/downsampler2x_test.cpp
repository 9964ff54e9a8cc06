#include "dsp/downsampler2x.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "dsp/halfband_design.h"
#include "support/signal_measure.h"

namespace {

using zindle_test::tone_amplitude;
using zindle_test::to_db;

dsp::Downsampler2x<8> make_decimator() {
  dsp::Downsampler2x<8> d;
  d.set_coefficients(dsp::design_halfband_coefs(69.0, 0.01));
  return d;
}

// Frequencies as a fraction of the doubled (input) rate.
struct GainCase {
  double freq;
  double min_db;
  double max_db;
};

TEST(Downsampler2x, MagnitudeResponseOfRenderedSines) {
  const GainCase cases[] = {
      {0.01, -0.001, 0.001},  {0.1, -0.001, 0.001},  {0.2, -0.001, 0.001},
      {0.245, -0.001, 0.001}, {0.255, -200.0, -69.0},
      {0.27, -200.0, -69.0},  {0.35, -200.0, -69.0}, {0.49, -200.0, -69.0},
  };
  const int n_out = 16384;
  const int settle = 4096;
  for (const GainCase& c : cases) {
    dsp::Downsampler2x<8> d = make_decimator();
    const std::vector<float> in = zindle_test::sine(2 * n_out, c.freq);
    std::vector<float> out(n_out);
    d.process_block(out.data(), in.data(), n_out);
    // Above a quarter of the input rate the tone folds back below it.
    const double out_freq = c.freq < 0.25 ? 2.0 * c.freq : 1.0 - 2.0 * c.freq;
    const double gain_db =
        to_db(tone_amplitude(out.data() + settle, n_out - settle, out_freq));
    EXPECT_GE(gain_db, c.min_db) << "at " << c.freq;
    EXPECT_LE(gain_db, c.max_db) << "at " << c.freq;
  }
}

TEST(Downsampler2x, BlockEqualsSamplesAndSplitBlocks) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> in(1024);
  for (float& v : in) v = dist(rng);

  dsp::Downsampler2x<8> whole = make_decimator(), split = make_decimator(), single = make_decimator();
  std::vector<float> a(512), b(512), c(512);
  whole.process_block(a.data(), in.data(), 512);
  int pos = 0;
  for (int len : {1, 3, 100, 152, 256}) {
    split.process_block(b.data() + pos, in.data() + 2 * pos, len);
    pos += len;
  }
  for (int i = 0; i < 512; ++i) c[i] = single.process_sample(in.data() + 2 * i);
  for (int i = 0; i < 512; ++i) {
    ASSERT_EQ(a[i], b[i]) << i;
    ASSERT_EQ(a[i], c[i]) << i;
  }
}

TEST(Downsampler2x, ReportsDenormalStateUntilCleared) {
  dsp::Downsampler2x<8> d = make_decimator();
  EXPECT_TRUE(d.state_is_normal());
  const float tiny[2] = {1e-37f, 1e-37f};
  const float zero[2] = {0.0f, 0.0f};
  d.process_sample(tiny);
  bool seen_denormal = false;
  for (int i = 0; i < 200 && !seen_denormal; ++i) {
    d.process_sample(zero);
    seen_denormal = !d.state_is_normal();
  }
  EXPECT_TRUE(seen_denormal);
  d.clear();
  EXPECT_TRUE(d.state_is_normal());
}

}  // namespace
