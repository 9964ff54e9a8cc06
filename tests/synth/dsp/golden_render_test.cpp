// Short reference renders of a few patches, so that any change to the
// sound shows at once. Re-bless with ZINDLE_BLESS_GOLDEN=1 after an
// intended change and review the diff of tests/data/golden.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "support/golden_render.h"
#include "support/signal_measure.h"
#include "support/synth_params.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using zindle_test::DspHarness;
using namespace zindle_test::synth_param;

struct NoteEvent {
  long time;
  int note;
  float velocity;  // 0: note off
};

// Two overlapping notes; blocks of 300 so that events fall inside blocks.
const std::vector<NoteEvent> kPhrase = {{0, 48, 1.0f}, {2000, 55, 0.7f}, {4500, 48, 0.0f}, {8000, 55, 0.0f}};
constexpr int kLength = 8192;
constexpr int kBlock = 300;

struct GoldenPatch {
  const char* name;
  std::vector<std::pair<int, double>> changes;  // parameter index, natural value
  float tempo;
};

const GoldenPatch kPatches[] = {
    {"sync_sweep",
     {{kVco2Sync, 1.0}, {kVco2TuneC, 7.0}, {kVco2Fm2Src, 0.0}, {kVco2Fm2Lvl, 0.5}, {kMix2Lvl, 0.0},
      {kMix3Lvl, 1.0}, {kArRelTime, 0.1}},
     120.0f},
    {"ring_mod",
     {{kMixSrc1, 0.0}, {kMix1Lvl, 1.0}, {kMix2Lvl, 0.0}, {kVco2TuneC, 5.3}, {kVcfFreq, 4000.0},
      {kArRelTime, 0.05}},
     120.0f},
    {"noise_sample_hold",
     {{kNoiseType, 1.0}, {kShMix2Src, 1.0}, {kShMix2Lvl, 1.0}, {kShTrig, 1.0}, {kLfoFreq, 12.0},
      {kVcfMod2Src, 1.0}, {kVcfMod2Lvl, 0.8}, {kVcfFreq, 600.0}, {kVcfReso, 0.5}, {kMix1Lvl, 0.3},
      {kVco1Fm2Src, 1.0}, {kVco1Fm2Lvl, 0.2}},
     120.0f},
    {"resonant_filter",
     {{kVcfFreq, 300.0}, {kVcfReso, 0.95}, {kVcfMod3Src, 1.0}, {kVcfMod3Lvl, 0.7}, {kAdsrAtkTime, 0.02},
      {kAdsrDcyTime, 0.05}, {kAdsrSusLvl, 0.3}, {kAdsrRelTime, 0.05}, {kVco1Pw, 0.2}, {kMixSrc2, 0.0},
      {kVcaEnv, 1.0}, {kHpfFreq, 100.0}},
     120.0f},
    {"lfo_tempo_mono",
     {{kLfoTempoSync, 1.0}, {kLfoFreq, 4.0}, {kVco1Fm1Src, 1.0}, {kVco1Fm1Lvl, 0.3}, {kVco1PwmSrc, 1.0},
      {kVco1PwmLvl, 0.6}, {kMixSrc2, 0.0}, {kOscMode, 1.0}, {kPortamento, 0.05}, {kAdsrLfoRep, 1.0},
      {kVcaEnv, 1.0}, {kVeloVcaSens, 0.5}},
     140.0f},
};

// Left channel followed by right channel.
std::vector<float> render(const GoldenPatch& patch) {
  DspHarness h;
  h.dsp.set_tempo(patch.tempo);
  for (const auto& change : patch.changes) h.change(change.first, change.second);
  std::vector<float> left;
  std::vector<float> right;
  size_t next_event = 0;
  for (long start = 0; start < kLength; start += kBlock) {
    const int n = static_cast<int>(std::min<long>(kBlock, kLength - start));
    for (; next_event < kPhrase.size() && kPhrase[next_event].time < start + n; ++next_event) {
      const NoteEvent& e = kPhrase[next_event];
      if (e.velocity > 0.0f) {
        h.note_on(e.time - start, e.note, e.velocity);
      } else {
        h.note_off(e.time - start, e.note);
      }
    }
    h.render(n);
    left.insert(left.end(), h.left.begin(), h.left.end());
    right.insert(right.end(), h.right.begin(), h.right.end());
  }
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

TEST(GoldenRender, PatchesSoundAsBlessed) {
  for (const GoldenPatch& patch : kPatches) {
    const std::vector<float> samples = render(patch);
    EXPECT_GT(zindle_test::peak(samples.data(), static_cast<int>(samples.size())), 0.01f) << patch.name << " is silent";
    EXPECT_EQ(zindle_test::check_golden(patch.name, samples), "") << patch.name;
  }
}

}  // namespace
