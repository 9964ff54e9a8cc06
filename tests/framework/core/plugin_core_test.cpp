#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/core/plugin_core_fixture.h"
#include "support/framework_reorder_section.h"
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

TEST(PluginCore, SetParamReachesTheParameterAndRefusesBadValues) {
  CoreRig<> rig;
  // Out of range is clamped, NaN and bad indices refused.
  const float cases[][3] = {{0.5f, 1, 0.5f}, {7.0f, 1, 1.0f}, {-1.0f, 1, 0.0f}, {std::nanf(""), 0, 0.0f}};
  for (const auto& c : cases) {
    EXPECT_EQ(rig.core.set_param(kPortamento, c[0], 100), c[1] != 0.0f) << c[0];
    EXPECT_FLOAT_EQ(rig.dsp.get_param(kPortamento)->nrm(), c[2]) << c[0];
  }
  EXPECT_FALSE(rig.core.set_param(62, 0.5f, 255));
  EXPECT_FALSE(rig.core.set_param(-1, 0.5f, 255));
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

TEST(PluginCore, HiddenParametersNeverReachTheHost) {
  CoreRig<> rig;
  rig.dsp.hide_parameters = true;
  ASSERT_TRUE(rig.core.set_param_and_notify(kVcfFreq, 0.3f, 200));
  EXPECT_FLOAT_EQ(rig.dsp.get_param(kVcfFreq)->nrm(), 0.3f);
  EXPECT_TRUE(rig.host.take().empty());
}

TEST(PluginCore, HostIndicesFollowTheReorderMap) {
  CoreRig<> rig;
  // Host index 0 shows internal 53 ("VCF Freq").
  ASSERT_EQ(rig.core.get_param_reorder().read_settings(*zindle_test::reorder_section({"53_VCF Freq"})), 0);
  ASSERT_TRUE(rig.core.set_param_and_notify(kVcfFreq, 0.5f, 200));
  const auto events = rig.host.take();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[0], (HostEvent{Kind::Begin, 0, 0.0f}));
  EXPECT_EQ(events[1], (HostEvent{Kind::Automate, 0, 0.5f}));
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

TEST(PluginCore, ApplyProgramFromTheEditorAutomatesTheHost) {
  CoreRig<> rig;
  mppi::ProgramSlot program = rig.bank.use_program(0);
  program.values[kPortamento] = 0.5f;
  program.set_name("Glide");
  rig.core.apply_program(program, 200, false, true);
  EXPECT_EQ(rig.host.count(Kind::Automate), 62);
  // Not released: a lower source is held off.
  EXPECT_FALSE(rig.core.can_take_control(kPortamento, 100));
}

TEST(PluginCore, TwoPublishedBanksGiveOneRefresh) {
  CoreRig<> rig;
  rig.core.consume_published_bank();  // the start-up refresh
  rig.host.take();
  mppi::BankManager other = rig.bank;
  rig.core.publish_bank(other);
  other.use_program(0).set_name("changed");
  rig.core.publish_bank(other);
  for (int block = 0; block < 3; ++block) rig.core.consume_published_bank();
  EXPECT_EQ(rig.host.count(Kind::Update), 1);
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
