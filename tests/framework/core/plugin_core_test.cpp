#include <gtest/gtest.h>

#include "framework/core/plugin_core_fixture.h"
#include "support/synth_params.h"

using zindle_test::CoreRig;
using zindle_test::HostEvent;
using Kind = HostEvent::Kind;
using namespace zindle_test::synth_param;

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
