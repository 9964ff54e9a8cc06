#include "synth/plugin/zindle_dsp.h"

#include <gtest/gtest.h>

#include <utility>
#include <set>
#include <string>
#include <vector>

#include "support/alloc_counter.h"
#include "synth/plugin/midi_gui_keyboard_manager.h"
#include "synth/params/default_controllers.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using zindle_test::DspHarness;
using zindle_test::RecordingObserver;
using zindle_test::RunSpan;
using synth::kDefaultControllers;

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
    std::vector<int> data2;
  };
  const Case cases[] = {
      {{}, 1000, {{0, 256}, {256, 256}, {512, 256}, {768, 232}}, {}, {}},
      {{{300, 80}, {10, 70}, {300, 90}, {-50, 60}}, 600, {{0, 10}, {10, 246}, {256, 44}, {300, 212}, {512, 88}},
       {0, 10, 300, 300}, {60, 70, 80, 90}},
      {{{2000, 0}}, 500, {{0, 256}, {256, 244}}, {500}, {0}},
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
      EXPECT_FLOAT_EQ(observer.events[i].value, (c.data2[i] - 64) / 64.0f) << i;
    }
    EXPECT_EQ(h.dsp.get_synth_core().get_nbr_queued(), 0);
    EXPECT_EQ(h.dsp.get_synth_core().get_position(), 0);
  }
}

TEST(ZindleDspBlockWalk, EventNumber257FlushesThePool) {
  DspHarness h;
  RecordingObserver observer;
  h.dsp.get_synth_core().set_observer(&observer);
  h.dsp.set_time_stamp(100);
  for (int i = 0; i < 256; ++i) h.dsp.key_pressure(0, 60, static_cast<float>(i));
  EXPECT_TRUE(observer.events.empty());
  EXPECT_EQ(h.dsp.get_synth_core().get_nbr_queued(), 256);

  h.dsp.key_pressure(0, 60, 256.0f);
  ASSERT_EQ(observer.events.size(), 256u);
  EXPECT_EQ(observer.events[255].value, 255.0f);
  EXPECT_EQ(observer.events[255].position, 0);
  EXPECT_EQ(h.dsp.get_synth_core().get_nbr_queued(), 1);

  h.render(200);
  ASSERT_EQ(observer.events.size(), 257u);
  EXPECT_EQ(observer.events.back().value, 256.0f);
  EXPECT_EQ(observer.events.back().position, 100);
}

TEST(ZindleDspMidi, BendRangeFromRegisteredParameterZero) {
  struct Case {
    int number, value;
    float range;
  };
  // Each case starts from the range the previous one left.
  const Case cases[] = {{0, 12 * 128, 12.0f}, {0, 2 * 128 + 50, 2.5f}, {1, 7 * 128, 2.5f},
                        {0, 0, 0.0f},         {0, 24 * 128 + 99, 24.99f}};
  DspHarness h;
  EXPECT_EQ(h.dsp.get_synth_core().get_group(0).get_scale(), 2.0f);
  for (const Case& c : cases) {
    h.dsp.rpn(0, c.number, c.value);
    h.render(8);
    EXPECT_FLOAT_EQ(h.dsp.get_synth_core().get_group(0).get_scale(), c.range) << c.value;
  }
}

TEST(ZindleDspMidi, AllNotesOffControllersReleaseEveryKey) {
  struct Case {
    int controller;
    bool releases;
  };
  const Case cases[] = {{123, true}, {120, true}, {121, false}, {64, false}, {7, false}};
  for (const Case& c : cases) {
    DspHarness h;
    synth::MidiGuiKeyboardManager gui;
    h.dsp.set_gui_keyboard_manager(&gui);
    h.note_on(0, 60);
    h.note_on(0, 67);
    h.render(32);
    ASSERT_TRUE(h.dsp.get_synth_core().get_keyboard().is_any_key_held());
    EXPECT_TRUE(gui.is_note_down(67));
    h.dsp.set_time_stamp(0);
    h.dsp.channel_message(0, kControlChange, c.controller, 0);
    h.render(32);
    EXPECT_EQ(h.dsp.get_synth_core().get_keyboard().is_any_key_held(), !c.releases)
        << c.controller;
    EXPECT_EQ(gui.is_note_down(67), !c.releases) << c.controller;
  }
}

TEST(ZindleDspProperties, AnswersTheHostQueries) {
  synth::ZindleDsp dsp;
  EXPECT_EQ(dsp.get_num_property("can_mono"), 1.0);
  EXPECT_EQ(dsp.get_num_property("plugin_version"), 1.31);
  EXPECT_EQ(dsp.get_string_property("plugin_name"), "Zindle-BR");
  EXPECT_EQ(dsp.get_string_property("manufacturer"), "Brakka");
  EXPECT_EQ(dsp.get_string_property("plugin_category"), "instrument");
  EXPECT_EQ(dsp.get_settings_folder_name(), "Ferrowave/Zindle-BR");
  EXPECT_EQ(dsp.get_nbr_input_pin_sets(), 0);
  EXPECT_EQ(dsp.get_output_pins(0).channel_names, (std::vector<std::string>{"Output L", "Output R"}));
  EXPECT_EQ(dsp.get_max_sample_rate(), 384000.0);
}

TEST(ZindleDspParams, DefaultControllersAreDistinctAndFree) {
  // Controllers the MIDI input keeps for itself: bank select, data entry,
  // (N)RPN selection and the channel mode messages.
  const std::set<int> reserved = {0, 6, 32, 38, 98, 99, 100, 101, 120, 121, 122, 123, 124, 125, 126, 127};
  std::set<int> seen;
  for (int controller : kDefaultControllers) {
    EXPECT_EQ(reserved.count(controller), 0u) << controller;
    EXPECT_TRUE(seen.insert(controller).second) << "bound twice: " << controller;
  }
  EXPECT_EQ(kDefaultControllers[12], 5);   // "Portamento": portamento time
  EXPECT_EQ(kDefaultControllers[53], 74);  // "VCF Freq": brightness
  EXPECT_EQ(kDefaultControllers[57], 7);   // "VCA Env": channel volume
}

TEST(ZindleDspOutput, SecondOutputLeftUntouchedWhenNotConnected) {
  struct Case {
    bool has_host, connected, accumulate;
  };
  const Case cases[] = {{false, true, false}, {true, true, false}, {true, false, false}, {true, false, true}};
  for (const Case& c : cases) {
    DspHarness h;
    auto* host = c.has_host ? new zindle_test::FakeHost : nullptr;  // the DSP object deletes its host
    if (host != nullptr) {
      host->second_output_connected = c.connected;
      h.dsp.set_host(host);
    }
    std::vector<float> left(300, 7.0f), right(300, 7.0f);
    float* outs[2] = {left.data(), right.data()};
    c.accumulate ? h.dsp.process_accumulating(outs, nullptr, 300, nullptr)
                 : h.dsp.process_replacing(outs, nullptr, 300, nullptr);
    // The voice is silent here: replacing writes zeros, accumulating adds zeros.
    const float written = c.accumulate ? 7.0f : 0.0f;
    EXPECT_EQ(left, std::vector<float>(300, written));
    EXPECT_EQ(right, std::vector<float>(300, c.connected ? written : 7.0f));
    if (host != nullptr) {
      EXPECT_EQ(host->pin_queries, 1);
    }
  }
}

TEST(ZindleDspRealtime, RenderingWithEventsDoesNotAllocate) {
  DspHarness h;
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
    if (block % 5 == 4) h.dsp.request_reset();
    h.dsp.process_replacing(outs, nullptr, 1024, nullptr);
    h.dsp.process_accumulating(outs, nullptr, 1000, nullptr);
  }
  EXPECT_EQ(counter.count(), 0u);
}

TEST(ZindleDspLifecycle, ResetAppliesQueuedEventsAndRewinds) {
  DspHarness h;
  RecordingObserver observer;
  h.dsp.get_synth_core().set_observer(&observer);
  h.render(10);
  observer.runs.clear();
  h.note_on(400, 60);
  h.dsp.request_reset();
  h.render(128);
  // The reset applied the note before the first run, so no run was cut.
  const std::vector<RunSpan> expected = {{0, 128}};
  EXPECT_EQ(observer.runs, expected);
  ASSERT_EQ(observer.events.size(), 1u);
  EXPECT_EQ(observer.events[0].position, 0);
  EXPECT_TRUE(h.dsp.get_synth_core().get_keyboard().is_any_key_held());
}

TEST(ZindleDspLifecycle, ExtraParamsReachTasks) {
  struct Task : mppi::PluginTaskInterface {
    void set_value(float v) override { values.push_back(v); }
    void update() override { ++updates; }
    std::vector<float> values;
    int updates = 0;
  };
  synth::ZindleDsp dsp;
  Task task;
  dsp.add_task(&task);
  dsp.set_extra_param(61, 0.5f);
  dsp.set_extra_param(63, 0.5f);
  dsp.set_extra_param(62, 1.0f);
  dsp.set_extra_param(62, 0.25f);
  dsp.run_tasks();
  const std::vector<float> expected = {0.0f, 0.25f};
  EXPECT_EQ(task.values, expected);
  EXPECT_EQ(task.updates, 1);
}

}  // namespace
