// Controller bindings: the table, incoming values through the real DSP
// object and plug-in core, feedback, settings and the per-user switches.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"
#include "framework/midi/midi_in_chn.h"
#include "framework/midi/midi_mgr.h"
#include "support/synth_params.h"
#include "tests/support/alloc_counter.h"
#include "sys/persistent_key_list.h"
#include "synth/params/default_controllers.h"
#include "tests/framework/midi/midi_mgr_rig.h"
#include "tests/framework/midi/recording_receiver.h"

namespace {

using namespace zindle_test::synth_param;

using mppi::MidiMgr;
using midi_test::MidiCall;
using midi_test::MidiRig;
using midi_test::RecordingReceiver;
using midi_test::TempUserStore;
using synth::kDefaultControllers;

constexpr int kCc = 0;
constexpr int kRpn = MidiMgr::kKindRpn;
constexpr int kNrpn = MidiMgr::kKindNrpn;

int cc_id(int c) { return c << 16; }

int driven(const MidiMgr& m, int id) {
  float v = 0.0f;
  return m.controller_value(id, 0, v);
}

TEST(MidiMgrTable, ABindingMovesAndAParameterKeepsOneController) {
  MidiMgr m;
  ASSERT_EQ(0, m.bind(5, 20, kCc));
  ASSERT_EQ(0, m.bind(5, 21, kCc));
  EXPECT_EQ(-1, driven(m, cc_id(20)));
  // Controller 21 moves to parameter 7; 5 is left without one.
  ASSERT_EQ(0, m.bind(7, 21, kCc));
  EXPECT_EQ(MidiMgr::kNotFound, m.find_controller(5));
  EXPECT_EQ(7, driven(m, cc_id(21)));
  ASSERT_EQ(0, m.bind(5, 20, kCc));
  ASSERT_EQ(0, m.unbind(7));
  EXPECT_EQ(-1, driven(m, cc_id(21)));
  EXPECT_EQ(5, driven(m, cc_id(20)));
  // Refused: unknown controller, number out of range, parameter out of range.
  EXPECT_EQ(-1, m.bind(9, 128, 0));
  EXPECT_EQ(-1, m.bind(9, kNrpn, 16384));
  EXPECT_EQ(-1, m.bind(MidiMgr::kMaxParams, 7, 0));
  EXPECT_EQ("NRPN 16383", MidiMgr::controller_text((99 << 16) + 16383));
}

TEST(MidiMgrIncoming, InitBindsTheDefaultControllers) {
  MidiRig rig;
  for (int i = 0; i < synth::kNbrParams; ++i)
    EXPECT_EQ(cc_id(kDefaultControllers[static_cast<size_t>(i)]), rig.midi.find_controller(i)) << i;
}

TEST(MidiMgrIncoming, Controller74MovesVcfFreqWithoutTellingTheHost) {
  MidiRig rig;
  mppi::NormalizedParamInterface* freq = rig.dsp.get_param(kVcfFreq);
  rig.input.cc(74, 127);
  EXPECT_FLOAT_EQ(127.0f * 128.0f / 16383.0f, freq->nrm());
  EXPECT_EQ(0, rig.host.count(zindle_test::HostEvent::Automate));
  // A click (source 200) holds off controllers (125) for half a second.
  ASSERT_TRUE(rig.core.set_param(kVcfFreq, 0.3f, 200));
  rig.input.cc(74, 100);
  EXPECT_FLOAT_EQ(0.3f, freq->nrm());
}

TEST(MidiMgrIncoming, RegisteredDataEntryAndExtraParameters) {
  MidiRig rig;
  // Registered parameter 0 (bend range) data entry 12/0 drives VCF Freq.
  rig.midi.bind(kVcfFreq, kRpn, 0);
  for (auto [c, v] : {std::pair{101, 0}, {100, 0}, {6, 12}, {38, 5}}) rig.input.cc(c, v);
  EXPECT_FLOAT_EQ((12 * 128 + 5) / 16383.0f, rig.dsp.get_param(kVcfFreq)->nrm());
  // Controller 74 no longer drives it.
  rig.input.cc(74, 0);
  EXPECT_FLOAT_EQ((12 * 128 + 5) / 16383.0f, rig.dsp.get_param(kVcfFreq)->nrm());

  // Index 62 is the first task of the DSP object.
  rig.midi.bind(62, 40, kCc);
  rig.input.cc(40, 64);
  EXPECT_EQ(1, rig.task.calls);
  EXPECT_FLOAT_EQ(64.0f * 128.0f / 16383.0f, rig.task.value);
}

TEST(MidiMgrIncoming, LearningAllocatesNothing) {
  MidiRig rig;
  rig.midi.arm(kVcfFreq);
  {
    zindle_test::AllocationCounter counter;
    EXPECT_EQ(kVcfFreq, rig.midi.notify_controller((99 << 16) + 300, 4096));
    EXPECT_EQ(kVcfFreq, rig.midi.notify_controller((99 << 16) + 300, 16383));
    EXPECT_EQ(0u, counter.count());
  }
  EXPECT_FLOAT_EQ(1.0f, rig.dsp.get_param(kVcfFreq)->nrm());
  EXPECT_EQ(-1, rig.midi.get_armed());  // one-shot learning
}

TEST(MidiMgrIncomingThread, EditorRebindingWhileControllersStreamKeepsTheTableConsistent) {
  MidiMgr m;
  std::atomic<bool> stop{false};
  std::thread midi_thread([&] {
    int value = 0;
    while (!stop.load()) {
      for (int c = 20; c < 24; ++c) m.notify_controller(cc_id(c), value);
      value = (value + 1) & 16383;
    }
  });
  for (int round = 0; round < 2000; ++round) {
    m.bind(round % 5, 20 + round % 4, kCc);
    if (round % 7 == 0) m.unbind(round % 5);
    if (round % 11 == 0) m.arm(round % 5);
  }
  stop.store(true);
  midi_thread.join();
  // Every controller points at a parameter that points back at it.
  for (int c = 20; c < 24; ++c) {
    const int p = driven(m, cc_id(c));
    if (p >= 0) { EXPECT_EQ(cc_id(c), m.find_controller(p)) << c; }
  }
  for (int p = 0; p < 5; ++p) {
    const int id = m.find_controller(p);
    if (id >= 0) { EXPECT_EQ(p, driven(m, id)) << p; }
  }
}

class RefusingOutput : public RecordingReceiver {
public:
  int32_t channel_message(int ch, int status, int d1, int d2) override {
    RecordingReceiver::channel_message(ch, status, d1, d2);
    return -1;
  }
};

TEST(MidiMgrFeedback, ParameterChangesGoOutAsControllers) {
  struct Case {
    int kind, number;
    float value;
    std::vector<MidiCall> expected;
  };
  using C = MidiCall;
  const std::vector<Case> cases = {
      {74, 0, 1.0f, {{C::kRaw, 0, 11, 74, 127}}},
      {74, 0, 0.5f, {{C::kRaw, 0, 11, 74, 64}}},  // 8192 rounds to 64
      {32, 0, 0.998f, {{C::kRaw, 0, 11, 32, 127}}},  // 16350 + 64 would be 128
      {31, 0, 0.3f, {{C::kRaw, 0, 11, 31, 38}, {C::kRaw, 0, 11, 63, 51}}},  // 4915
      {kRpn, 0, 0.25f, {{C::kRpn, 0, 0, 4096}}},
      {kNrpn, 1234, 1.0f, {{C::kNrpn, 0, 1234, 16383}}},
  };
  for (const Case& c : cases) {
    MidiMgr m;
    RecordingReceiver out;
    m.set_output(&out);
    m.bind(3, c.kind, c.number);
    EXPECT_EQ(0, m.parameter_to_midi(3, c.value));
    ASSERT_EQ(c.expected.size(), out.calls.size()) << c.kind;
    for (size_t i = 0; i < c.expected.size(); ++i) {
      const MidiCall &want = c.expected[i], &got = out.calls[i];
      EXPECT_TRUE(want.op == got.op && want.a == got.a && want.b == got.b && want.c == got.c) << c.kind << " " << i;
    }
  }
}

TEST(MidiMgrFeedback, UnboundRefusedAndThroughThePluginCore) {
  MidiMgr m;
  EXPECT_EQ(MidiMgr::kErrUnbound, m.parameter_to_midi(3, 0.5f));
  m.bind(3, 74, 0);
  EXPECT_EQ(MidiMgr::kErrRefused, m.parameter_to_midi(3, 0.5f));  // no output
  RefusingOutput refusing;
  m.set_output(&refusing);
  EXPECT_EQ(MidiMgr::kErrRefused, m.parameter_to_midi(3, 0.5f));

  MidiRig rig;
  RecordingReceiver out;
  rig.midi.set_output(&out);
  rig.midi.set_feedback_channel(2);
  rig.core.set_feedback(&rig.midi.use_feedback());
  ASSERT_TRUE(rig.core.set_param_and_notify(kVcfFreq, 1.0f, 200));
  ASSERT_EQ(1u, out.calls.size());
  EXPECT_EQ(2, out.calls[0].ch);
  EXPECT_EQ(74, out.calls[0].b);
  EXPECT_EQ(127, out.calls[0].c);
}

TEST(MidiMgrSettings, ControlMapRoundTrip) {
  MidiMgr m;
  m.bind(53, 74, 0);
  m.bind(3, kRpn, 0);
  m.bind(10, kNrpn, 1234);
  m.bind(62, 40, 0);
  basic::ConfKeyMulti root("Zindle_BR_config_section");
  root.set_string("midi/channel_states", "00");  // another client's key stays
  ASSERT_EQ(0, m.write_settings(root));
  EXPECT_EQ("00", root.get_string("midi/channel_states"));
  EXPECT_EQ("cc_74", root.get_string("midi/control_map/id_53"));
  EXPECT_EQ("nrpn_1234", root.get_string("midi/control_map/id_10"));

  MidiMgr loaded;
  loaded.bind(53, 20, 0);
  ASSERT_EQ(0, loaded.read_settings(root));
  for (int p : {53, 3, 10, 62}) EXPECT_EQ(m.find_controller(p), loaded.find_controller(p)) << p;
  EXPECT_EQ(-1, driven(loaded, cc_id(20)));
}

TEST(MidiMgrSettings, LoadSkipsMalformedEntries) {
  basic::ConfKeyMulti root("Zindle_BR_config_section");
  const std::pair<const char*, const char*> entries[] = {
      {"id_3", "cc_74"},   {"id_x", "cc_20"},  {"id_", "cc_21"},     {"ix_4", "cc_22"},
      {"id_5", "pc_3"},    {"id_6", "cc_"},    {"id_7", "nrpn_12a"}, {"id_8", "rpn_7"},
      {"id_9", "nrpn_99"}, {"id_11", "cc_300"}, {"id_5000", "cc_23"},
  };
  for (const auto& [name, text] : entries) root.set_string(std::string("midi/control_map/") + name, text);
  MidiMgr m;
  ASSERT_EQ(0, m.read_settings(root));
  EXPECT_EQ(cc_id(74), m.find_controller(3));
  EXPECT_EQ((101 << 16) + 7, m.find_controller(8));
  EXPECT_EQ((99 << 16) + 99, m.find_controller(9));
  for (int c : {20, 21, 22, 23}) EXPECT_EQ(-1, driven(m, cc_id(c))) << c;
  for (int p : {4, 5, 6, 7, 11}) EXPECT_FALSE(m.is_bound(p)) << p;
  // No section at all: nothing changes.
  EXPECT_EQ(0, m.read_settings(basic::ConfKeyMulti("x")));
  EXPECT_EQ(cc_id(74), m.find_controller(3));
}

TEST(MidiMgrSwitches, StoredPerUserAndReadBack) {
  TempUserStore store;
  RecordingReceiver receiver;
  midi_test::TestMidiIn input(&receiver);
  {
    MidiMgr m;
    EXPECT_FALSE(m.set_nrpn_compat(false));  // no store opened yet
    m.load_switches("Zindle-BR");
    EXPECT_TRUE(m.is_nrpn_standard());
    m.set_input(&input);
    EXPECT_TRUE(m.set_nrpn_compat(false));
    EXPECT_TRUE(m.set_autobind_mode(true));
    EXPECT_FALSE(m.is_nrpn_standard());
    EXPECT_EQ(mppi::NrpnNumbering::swapped, input.get_nrpn_numbering());
  }
  sys::PersistentKeyList list("Ferrowave/Zindle-BR");
  std::string text;
  ASSERT_TRUE(list.read_string("Autobind Mode", text));
  EXPECT_EQ("1", text);

  MidiMgr reloaded;
  reloaded.set_input(&input);
  reloaded.load_switches("Zindle-BR");
  EXPECT_FALSE(reloaded.is_nrpn_standard());
  EXPECT_TRUE(reloaded.is_autobind_continuous());

  MidiMgr other;  // another plug-in's store is separate
  other.load_switches("Other");
  EXPECT_FALSE(other.is_autobind_continuous());
}

}  // namespace
