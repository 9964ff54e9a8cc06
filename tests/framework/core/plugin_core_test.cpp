#include <gtest/gtest.h>

#include "framework/core/plugin_core_fixture.h"
#include "support/synth_params.h"

using zindle_test::CoreRig;
using zindle_test::HostEvent;
using Kind = HostEvent::Kind;
using namespace zindle_test::synth_param;

TEST(PluginCore, ArbitrationHoldsForHalfASecondInBothDirections) {
  CoreRig<> rig;
  // A click (200) holds the parameter against automation (100).
  ASSERT_TRUE(rig.core.set_param(kVcfFreq, 0.25f, 200));
  rig.clock += 0.3;
  EXPECT_FALSE(rig.core.set_param(kVcfFreq, 0.75f, 100));
  EXPECT_FLOAT_EQ(rig.dsp.get_param(kVcfFreq)->nrm(), 0.25f);
  rig.clock += 0.3;
  EXPECT_TRUE(rig.core.set_param(kVcfFreq, 0.75f, 100));
  // Automation holds against an ordinary drag (50) ...
  rig.clock += 0.2;
  EXPECT_FALSE(rig.core.set_param(kVcfFreq, 0.1f, 50));
  // ... but never against a click.
  EXPECT_TRUE(rig.core.set_param(kVcfFreq, 0.1f, 200));
}

TEST(PluginCore, FirstChangeOpensOneGestureThatClosesAfterTheHold) {
  CoreRig<> rig;
  for (int step = 0; step < 5; ++step) {
    ASSERT_TRUE(rig.core.set_param_and_notify(kVcfFreq, 0.1f * step, 50));
    rig.clock += 0.1;
    rig.core.close_gestures();  // still held: nothing closes
  }
  EXPECT_EQ(rig.host.count(Kind::Begin, kVcfFreq), 1);
  EXPECT_EQ(rig.host.count(Kind::Automate, kVcfFreq), 5);
  EXPECT_EQ(rig.host.count(Kind::End), 0);
  rig.clock += 0.45;  // 0.55 s after the last change
  rig.core.close_gestures();
  EXPECT_EQ(rig.host.count(Kind::End, kVcfFreq), 1);
  // The next change opens a new bracket.
  ASSERT_TRUE(rig.core.set_param_and_notify(kVcfFreq, 0.9f, 50));
  EXPECT_EQ(rig.host.count(Kind::Begin, kVcfFreq), 2);
}

TEST(PluginCore, ProgramSelectionAppliesValuesAndKeepsEditsInTheBank) {
  CoreRig<> rig;
  rig.bank.use_program(2).values[kVcfFreq] = 0.125f;
  ASSERT_TRUE(rig.core.select_program(2));
  EXPECT_FLOAT_EQ(rig.dsp.get_param(kVcfFreq)->nrm(), 0.125f);
  EXPECT_EQ(rig.dsp.get_display_name(), "Prog 2");
  // Selection by the host does not automate, but asks for a refresh.
  EXPECT_EQ(rig.host.count(Kind::Automate), 0);
  EXPECT_EQ(rig.host.count(Kind::Update), 1);
  // An edit lands in the current program when the bank is read.
  rig.clock += 1.0;
  ASSERT_TRUE(rig.core.set_param(kVcfFreq, 0.875f, 100));
  ASSERT_TRUE(rig.core.select_program(1));
  rig.core.with_bank([](mppi::BankManager& bank) {
    EXPECT_FLOAT_EQ(bank.use_program(2).values[kVcfFreq], 0.875f);
  });
  EXPECT_FALSE(rig.core.select_program(4));
  EXPECT_FALSE(rig.core.select_program(-1));
}

// Until a program has been applied, the live values are the parameters'
// initial values: selecting the first program must not store them over it.
TEST(PluginCore, FirstSelectionKeepsTheStoredProgram) {
  CoreRig<> rig(false);
  rig.bank.use_program(0).values[kVcfFreq] = 0.25f;
  std::vector<uint8_t> chunk;
  rig.core.get_chunk(true, chunk);  // reading the bank first changes nothing
  ASSERT_TRUE(rig.core.select_program(0));
  EXPECT_FLOAT_EQ(rig.dsp.get_param(kVcfFreq)->nrm(), 0.25f);
}
