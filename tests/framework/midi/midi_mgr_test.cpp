// Controller bindings: incoming values through the real DSP object and
// plug-in core, learning, concurrent rebinding and malformed settings.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "basic/conf_key_multi.h"
#include "framework/midi/midi_mgr.h"
#include "support/synth_params.h"
#include "tests/support/alloc_counter.h"
#include "tests/framework/midi/midi_mgr_rig.h"

namespace {

using namespace zindle_test::synth_param;

using mppi::MidiMgr;
using midi_test::MidiRig;

constexpr int kCc = 0;

int cc_id(int c) { return c << 16; }

int driven(const MidiMgr& m, int id) {
  float v = 0.0f;
  return m.controller_value(id, 0, v);
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
  int bound = 0;
  for (int p = 0; p < 5; ++p) {
    const int id = m.find_controller(p);
    if (id >= 0) { EXPECT_EQ(p, driven(m, id)) << p; }
    bound += id >= 0;
  }
  EXPECT_GE(bound, 1) << "the last round binds parameter 4";
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

}  // namespace
