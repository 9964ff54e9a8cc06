// Rendered audio through the whole DSP object: pitch, mixing, amplifier and
// note timing measured from the output samples.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/pitch_measure.h"
#include "support/signal_measure.h"
#include "support/synth_params.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using namespace zindle_test::synth_param;

using zindle_test::DspHarness;
using zindle_test::rms;

double tone_level(const std::vector<float>& x, double freq, double sample_rate) {
  return zindle_test::tone_amplitude(x.data(), static_cast<int>(x.size()), freq / sample_rate);
}

std::vector<float> tail(const std::vector<float>& x, size_t from) {
  return std::vector<float>(x.begin() + static_cast<long>(from), x.end());
}

TEST(VoiceRender, Key69PlaysA440OnBothOutputs) {
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    DspHarness h(rate);
    h.open_vco1();
    h.change(kVcfFreq, 500.0);  // near-sine: one rising crossing per period
    h.note_on(0, 69);
    h.render(static_cast<int>(rate * 1.5f));
    const double freq = zindle_test::zero_crossing_frequency(tail(h.left, static_cast<size_t>(rate * 0.3f)), rate);
    EXPECT_NEAR(freq, 440.0, 440.0 * 1e-4) << rate;
    ASSERT_EQ(h.left.size(), h.right.size());
    EXPECT_TRUE(std::equal(h.left.begin(), h.left.end(), h.right.begin())) << rate;
    EXPECT_GT(rms(h.left.data() + h.left.size() / 2, h.left.size() / 2), 0.05) << rate;
  }
}

TEST(VoiceRender, TwoKeysGiveBothFundamentals) {
  DspHarness h;
  h.open_vco1();
  h.change(kMix3Lvl, 1.0);  // VCO 2 saw
  h.note_on(0, 60);
  h.note_on(0, 64);
  h.render(44100 + 8820);
  const std::vector<float> x = tail(h.left, 8820);
  const double vco1 = 440.0 * std::pow(2.0, 327680.0 / 65536.0 - 5.75);
  const double vco2 = 440.0 * std::pow(2.0, 349524.0 / 65536.0 - 5.75);
  EXPECT_NEAR(vco1, 261.63, 0.01);
  EXPECT_NEAR(vco2, 329.62, 0.01);
  const double level1 = tone_level(x, vco1, 44100.0);
  const double level2 = tone_level(x, vco2, 44100.0);
  const double between = tone_level(x, 295.0, 44100.0);
  EXPECT_GT(level1, 0.2);
  EXPECT_NEAR(level2 / level1, 1.0, 0.1);  // equal saws, equal levels
  EXPECT_LT(between, level1 * 0.01);
}

TEST(VoiceRender, AudioRateModulationOfVcoTwo) {
  // VCO 2 follows the sample-and-hold mixer sample by sample. With that
  // signal at 0 the stepped rendering must give the block rendering's samples.
  struct Variant {
    double fm_level;
    double sh_level;
  };
  const Variant variants[] = {{0.0, 0.0}, {0.5, 0.0}, {0.5, 1.0}};
  std::vector<float> outputs[3];
  for (int v = 0; v < 3; ++v) {
    DspHarness h;
    h.open_vco1();
    h.change(kMix2Lvl, 0.0);
    h.change(kMix3Lvl, 1.0);
    h.change(kVco2Fm1Src, 0.0);  // "S/H Mixer"
    h.change(kVco2Fm1Lvl, variants[v].fm_level);
    h.change(kShMix1Lvl, variants[v].sh_level);
    h.note_on(0, 60);
    h.render(4410);
    outputs[v] = h.left;
  }
  for (size_t i = 0; i < outputs[0].size(); ++i) {
    ASSERT_EQ(outputs[1][i], outputs[0][i]) << i;
  }
  EXPECT_GT(rms(outputs[0].data(), 4410), 0.1);
  // A real modulation signal changes the sound.
  double difference = 0.0;
  for (size_t i = 0; i < outputs[0].size(); ++i) {
    difference = std::max(difference, std::fabs(static_cast<double>(outputs[2][i] - outputs[0][i])));
    ASSERT_TRUE(std::isfinite(outputs[2][i])) << i;
  }
  EXPECT_GT(difference, 0.1);
}

}  // namespace
