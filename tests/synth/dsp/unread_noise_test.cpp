// Noise that nothing reads still runs, its filter state being part of what
// later blocks sound like; the voice may run that filter inside another loop.
// A voice where the noise is read all along must sound the same, bit for bit,
// once both start playing it.

#include <gtest/gtest.h>

#include <cstring>

#include "support/synth_params.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using namespace zindle_test::synth_param;
using zindle_test::DspHarness;

TEST(UnreadNoise, LaterBlocksMatchAVoiceThatReadItAllAlong) {
  for (float rate : {44100.0f, 96000.0f}) {
    SCOPED_TRACE(rate);
    DspHarness read_all_along(rate);
    DspHarness unread(rate);
    for (DspHarness* h : {&read_all_along, &unread}) {
      h->change(kMixSrc1, 1.0);  // noise, at level 0 for now
      h->change(kMix1Lvl, 0.0);
      h->change(kNoiseType, 1.0);
      h->change(kShMix2Src, 1.0);  // the sample-and-hold hears the noise, routed nowhere
      h->note_on(0, 48);
    }
    read_all_along.change(kShMix2Lvl, 1.0);
    unread.change(kShMix2Lvl, 0.0);

    // Odd block lengths split the runs at many places.
    for (int n : {100, 37, 256, 511, 64, 300}) {
      read_all_along.render(n);
      unread.render(n);
      ASSERT_EQ(0, std::memcmp(read_all_along.left.data(), unread.left.data(), sizeof(float) * n));
    }
    for (DspHarness* h : {&read_all_along, &unread}) h->change(kMix1Lvl, 0.5);
    float energy = 0.0f;
    for (int n : {256, 77, 512}) {
      read_all_along.render(n);
      unread.render(n);
      ASSERT_EQ(0, std::memcmp(read_all_along.left.data(), unread.left.data(), sizeof(float) * n));
      for (float s : unread.left) energy += s * s;
    }
    EXPECT_GT(energy, 1.0f);  // the noise is heard
  }
}

}  // namespace
