#include "synth/plugin/zindle_dsp.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/alloc_counter.h"
#include "synth/plugin/midi_gui_keyboard_manager.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using zindle_test::DspHarness;
using zindle_test::RecordingObserver;
using zindle_test::RunSpan;

constexpr int kPitchBend = 14;
constexpr int kControlChange = 11;

// Bends (stamp, data2) against the runs the block is cut into; arrival order
// differs from time order, equal stamps keep arrival order, a negative stamp
// counts as 0 and one past the block applies before the next block.
TEST(ZindleDspBlockWalk, EventsCutRunsAndApplyAtTheirStamps) {
  struct Case {
    std::vector<std::pair<long, int>> bends;
    int length;
    std::vector<RunSpan> runs;
    std::vector<long> positions;  // in time order
    std::vector<float> applied;   // bend values, -1 to just below 1
  };
  const Case cases[] = {
      {{}, 1000, {{0, 256}, {256, 256}, {512, 256}, {768, 232}}, {}, {}},
      {{{300, 80}, {10, 70}, {300, 90}, {-50, 60}}, 600, {{0, 10}, {10, 246}, {256, 44}, {300, 212}, {512, 88}},
       {0, 10, 300, 300}, {-0.0625f, 0.09375f, 0.25f, 0.40625f}},
      {{{2000, 0}}, 500, {{0, 256}, {256, 244}}, {500}, {-1.0f}},
  };
  for (const Case& c : cases) {
    DspHarness h;
    RecordingObserver observer;
    h.dsp.get_synth_core().set_observer(&observer);
    for (const auto& [stamp, data2] : c.bends) {
      h.dsp.set_time_stamp(stamp);
      h.dsp.channel_message(0, kPitchBend, 0, data2);
    }
    h.render(c.length);
    EXPECT_EQ(observer.runs, c.runs) << c.length;
    ASSERT_EQ(observer.events.size(), c.positions.size()) << c.length;
    for (size_t i = 0; i < c.positions.size(); ++i) {
      EXPECT_EQ(observer.events[i].position, c.positions[i]) << i;
      EXPECT_EQ(observer.events[i].value, c.applied[i]) << i;
    }
    EXPECT_EQ(h.dsp.get_synth_core().get_nbr_queued(), 0);
    EXPECT_EQ(h.dsp.get_synth_core().get_position(), 0);
  }
}

// Every render path of the voice, with MIDI, keys from the editor's
// keyboard, program-change fades and resets in between.
TEST(ZindleDspRealtime, RenderingWithEventsDoesNotAllocate) {
  using synth::ParamId;
  using Setting = std::pair<ParamId, double>;
  // VCO 2 following the sample-and-hold mix at audio rate, with sync, noise
  // and the cutoff following it too; then with VCO 2's own pulse in the mix.
  const std::vector<Setting> audio_rate = {
      {ParamId::kMixSrc1, 0.0},    {ParamId::kMix1Lvl, 1.0},    {ParamId::kShMix1Src, 1.0},
      {ParamId::kShMix1Lvl, 0.7},  {ParamId::kShMix2Src, 1.0},  {ParamId::kShMix2Lvl, 0.5},
      {ParamId::kVco2Fm1Src, 0.0}, {ParamId::kVco2Fm1Lvl, 0.6}, {ParamId::kVco2Sync, 1.0},
      {ParamId::kVcfMod1Src, 0.0}, {ParamId::kVcfMod1Lvl, 0.3}};
  std::vector<Setting> feedback = audio_rate;
  feedback.push_back({ParamId::kShMix2Src, 0.0});
  for (const std::vector<Setting>& patch : {std::vector<Setting>{}, audio_rate, feedback}) {
    DspHarness h;
    synth::MidiGuiKeyboardManager& screen_keys = h.dsp.screen_keyboard();
    for (const auto& [id, value] : patch) h.change(synth::index(id), value);
    std::vector<float> left(1024), right(1024);
    float* outs[2] = {left.data(), right.data()};
    h.render(1024);  // first block outside the counter: lazy set-up of stages

    zindle_test::AllocationCounter counter;
    for (int block = 0; block < 20; ++block) {
      for (int i = 0; i < 300; ++i) {
        h.dsp.set_time_stamp((i * 37) % 1100);
        switch (i % 6) {
          case 0: h.dsp.note_on(0, 40 + i % 40, 40.0f, 0.0f, 1.0f, 1); break;
          case 1: h.dsp.note_off(0, 40 + (i * 7) % 40, 1.0f); break;
          case 2: h.dsp.channel_message(0, kPitchBend, i % 128, (i * 3) % 128); break;
          case 3: h.dsp.rpn(0, 0, 12 * 128); break;
          case 4: h.dsp.key_pressure(0, 60, 0.5f); break;
          default: h.dsp.channel_message(0, kControlChange, 123, 0); break;
        }
      }
      synth::MidiGuiKeyboardManager::ScreenKey key;
      key.down = block % 2 == 0;
      key.note = 50 + block;
      key.velocity = 1.0f;
      screen_keys.push_screen_key(key);
      if (block % 3 == 1) h.dsp.announce_program_change();
      if (block % 5 == 4) h.dsp.request_reset();
      h.dsp.process_replacing(outs, nullptr, 1024, nullptr);
      h.dsp.process_accumulating(outs, nullptr, 1000, nullptr);
    }
    EXPECT_EQ(counter.count(), 0u) << patch.size() << " settings";
  }
}

}  // namespace
