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

// A bank replaced from the editor sounds at once and keeps no trace of the
// edits made to the old one; a bank of another size changes nothing.
// What the audio thread does (a bank taken, a value from MIDI with no editor
// open) asks the host for one display refresh, sent from the background pass.
TEST(PluginCore, DisplayRefreshesWaitForTheBackgroundPass) {
  CoreRig<> rig;
  rig.host.take();
  rig.core.publish_bank(rig.bank);
  rig.core.consume_published_bank();
  rig.core.notify_host(kVcfFreq, 0.5f, 100);
  EXPECT_EQ(rig.host.count(Kind::Update), 0);
  EXPECT_EQ(rig.host.count(Kind::Automate, kVcfFreq), 1);
  rig.core.send_pending_display_update();
  rig.core.send_pending_display_update();
  EXPECT_EQ(rig.host.count(Kind::Update), 1);
}

TEST(PluginCore, ReplacedBankIsAppliedWithoutTheOldEdits) {
  CoreRig<> rig;
  rig.core.select_program(1);
  rig.clock += 1.0;
  ASSERT_TRUE(rig.core.set_param(kVcfFreq, 0.875f, 100));
  rig.host.take();

  mppi::BankManager smaller = rig.bank;
  smaller.resize(3);
  EXPECT_FALSE(rig.core.replace_bank(smaller));
  EXPECT_EQ(rig.bank.get_nbr_programs(), 4);
  EXPECT_FLOAT_EQ(rig.dsp.get_param(kVcfFreq)->nrm(), 0.875f);

  mppi::BankManager loaded = rig.bank;
  for (int i = 0; i < 4; ++i) loaded.use_program(i).values[kVcfFreq] = 0.0625f * static_cast<float>(i + 1);
  ASSERT_TRUE(rig.core.replace_bank(loaded));
  EXPECT_FLOAT_EQ(rig.dsp.get_param(kVcfFreq)->nrm(), 0.125f);
  EXPECT_EQ(rig.host.count(Kind::Automate, kVcfFreq), 1);
  rig.core.with_bank([](mppi::BankManager& bank) {
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(bank.use_program(i).values[kVcfFreq], 0.0625f * (i + 1)) << i;
  });
}

// Storing puts the live sound, under the current program's name, into the
// chosen slot and makes that slot current; the old slot keeps its values.
TEST(PluginCore, StoreProgramCopiesTheLiveSoundIntoTheSlot) {
  CoreRig<> rig;
  rig.clock += 1.0;
  ASSERT_TRUE(rig.core.set_param(kVcfFreq, 0.375f, 100));
  EXPECT_FALSE(rig.core.store_program(4));
  EXPECT_FALSE(rig.core.store_program(-1));
  ASSERT_TRUE(rig.core.store_program(3));
  EXPECT_EQ(rig.core.get_current_program(), 3);
  EXPECT_EQ(rig.core.get_program_name(3), "Prog 0");
  EXPECT_FLOAT_EQ(rig.bank.use_program(3).values[kVcfFreq], 0.375f);
  EXPECT_FLOAT_EQ(rig.bank.use_program(0).values[kVcfFreq], rig.bank.use_program(1).values[kVcfFreq]);
}
