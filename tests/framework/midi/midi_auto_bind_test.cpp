// Learning from the setup menu, driven as the editor drives it: touch a
// control, toggle the entry, move a controller, read the menu labels.

#include <gtest/gtest.h>

#include "framework/midi/midi_auto_bind_mgr.h"
#include "framework/midi/midi_mgr.h"
#include "support/synth_params.h"
#include "tests/framework/midi/midi_mgr_rig.h"

namespace {

using namespace zindle_test::synth_param;

using mppi::MidiAutoBindMenu;
using mppi::MidiMgr;
using midi_test::MidiRig;

struct AutoBindRig : MidiRig {
  AutoBindRig() {
    for (int i = 0; i < 62; ++i) midi.unbind(i);
    autobind.init(&midi, &dsp);
  }
  void touch(int param) { autobind.get_listener(param)->on_touched(); }
  mppi::MidiAutoBindMgr autobind;
};

TEST(MidiAutoBind, OneShotLearningFromStartToBound) {
  AutoBindRig rig;
  MidiAutoBindMenu menu = rig.autobind.make_menu();
  EXPECT_EQ("Un-bind [no parameter selected]", menu.unbind_label);
  EXPECT_EQ("Old erroneous nrpn behaviour", menu.nrpn_label);
  rig.autobind.toggle_autobind();
  menu = rig.autobind.make_menu();
  EXPECT_EQ("Auto-bind [now select a parameter]", menu.autobind_label);
  EXPECT_TRUE(menu.autobind_checked);

  rig.touch(kVcfFreq);
  EXPECT_EQ(kVcfFreq, rig.midi.get_armed());
  EXPECT_EQ("Auto-bind [target : VCF Freq]", rig.autobind.make_menu().autobind_label);

  // The first controller binds and already drives the parameter.
  rig.input.cc(20, 127);
  EXPECT_EQ(20 << 16, rig.midi.find_controller(kVcfFreq));
  EXPECT_FLOAT_EQ(127.0f * 128.0f / 16383.0f, rig.dsp.get_param(kVcfFreq)->nrm());
  EXPECT_EQ(-1, rig.midi.get_armed());
  rig.input.cc(21, 0);  // nothing armed any more
  EXPECT_FALSE(rig.midi.is_bound(kVcfReso));

  menu = rig.autobind.make_menu();
  EXPECT_FALSE(menu.autobind_checked);
  EXPECT_EQ("Un-bind [VCF Freq (CC 20)]", menu.unbind_label);

  // Touching another control afterwards arms nothing.
  rig.touch(kVcfReso);
  EXPECT_EQ(-1, rig.midi.get_armed());

  rig.touch(kVcfFreq);
  rig.autobind.unbind_selected();
  EXPECT_EQ("Un-bind [VCF Freq (not binded)]", rig.autobind.make_menu().unbind_label);
}

TEST(MidiAutoBind, ContinuousModeArmsEachTouchedParameter) {
  AutoBindRig rig;
  ASSERT_TRUE(rig.midi.set_autobind_mode(true));
  rig.autobind.toggle_autobind();
  rig.touch(kVcfFreq);
  for (auto [c, v] : {std::pair{101, 0}, {100, 0}, {6, 12}}) rig.input.cc(c, v);  // registered 0 data entry
  EXPECT_EQ(101 << 16, rig.midi.find_controller(kVcfFreq));
  EXPECT_EQ(kVcfFreq, rig.midi.get_armed());

  rig.touch(kVcfReso);
  rig.input.cc(21, 64);
  EXPECT_EQ(21 << 16, rig.midi.find_controller(kVcfReso));
  EXPECT_EQ(101 << 16, rig.midi.find_controller(kVcfFreq));
  EXPECT_EQ(kVcfReso, rig.midi.get_armed());

  rig.autobind.toggle_autobind();
  EXPECT_EQ(-1, rig.midi.get_armed());
  rig.input.cc(22, 64);
  EXPECT_EQ(21 << 16, rig.midi.find_controller(kVcfReso));
}

TEST(MidiAutoBind, NrpnEntryTogglesTheStoredSwitch) {
  AutoBindRig rig;
  ASSERT_TRUE(rig.autobind.toggle_nrpn_compat());
  EXPECT_TRUE(rig.autobind.make_menu().nrpn_checked);
  EXPECT_FALSE(rig.midi.is_nrpn_standard());

  // Without a manager the entries still read sensibly and do nothing.
  mppi::MidiAutoBindMgr lone;
  lone.toggle_autobind();
  lone.select_parameter(3);
  EXPECT_FALSE(lone.toggle_nrpn_compat());
  EXPECT_EQ("Un-bind [ (not binded)]", lone.make_menu().unbind_label);
}

}  // namespace
