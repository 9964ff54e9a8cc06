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
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using zindle_test::DspHarness;

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
     {{40, 1.0}, {34, 7.0}, {7, 0.0}, {11, 0.5}, {51, 0.0}, {52, 1.0}, {28, 0.1}},
     120.0f},
    {"ring_mod",
     {{47, 0.0}, {50, 1.0}, {51, 0.0}, {34, 5.3}, {53, 4000.0}, {28, 0.05}},
     120.0f},
    {"noise_sample_hold",
     {{41, 1.0}, {45, 1.0}, {46, 1.0}, {19, 1.0}, {30, 12.0}, {14, 1.0}, {17, 0.8}, {53, 600.0},
      {54, 0.5}, {50, 0.3}, {6, 1.0}, {10, 0.2}},
     120.0f},
    {"resonant_filter",
     {{53, 300.0}, {54, 0.95}, {15, 1.0}, {18, 0.7}, {21, 0.02}, {22, 0.05}, {23, 0.3}, {24, 0.05},
      {37, 0.2}, {48, 0.0}, {57, 1.0}, {55, 100.0}},
     120.0f},
    {"lfo_tempo_mono",
     {{31, 1.0}, {30, 4.0}, {4, 1.0}, {8, 0.3}, {0, 1.0}, {2, 0.6}, {48, 0.0}, {20, 1.0}, {12, 0.05},
      {25, 1.0}, {57, 1.0}, {59, 0.5}},
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
    double peak = 0.0;
    for (float s : samples) peak = std::max(peak, static_cast<double>(std::abs(s)));
    EXPECT_GT(peak, 0.01) << patch.name << " is silent";
    EXPECT_EQ(zindle_test::check_golden(patch.name, samples), "") << patch.name;
  }
}

}  // namespace
