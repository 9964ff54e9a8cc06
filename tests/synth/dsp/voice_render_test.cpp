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

}  // namespace
