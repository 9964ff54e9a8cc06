#include "framework/core/plugin_internal.h"

#include <gtest/gtest.h>

#include "framework/core/program_slot.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

TEST(PluginInternal, EmptyRegistryCapturesAnEmptyProgram) {
  synth::ZindleDsp dsp;  // before init nothing is registered
  EXPECT_EQ(dsp.get_nbr_registered_params(), 0);
  mppi::ProgramSlot program;
  program.values = {0.5f, 0.25f};
  dsp.capture_registered_values(program);
  EXPECT_TRUE(program.values.empty());
}

TEST(PluginInternal, CapturesNormalizedValuesInRegistrationOrder) {
  synth::ZindleDsp dsp;
  dsp.init();
  ASSERT_EQ(dsp.get_nbr_registered_params(), 62);
  const int changed[] = {0, 12, 30, 41, 53, 61};
  for (int index : changed) {
    dsp.get_param(index)->set_nrm_and_notify(0.125f + static_cast<float>(index) / 128.0f);
  }

  struct Case {
    size_t size_before;
  };
  const Case cases[] = {{0}, {10}, {62}, {200}};
  for (const Case& c : cases) {
    mppi::ProgramSlot program;
    program.values.assign(c.size_before, -1.0f);
    dsp.capture_registered_values(program);
    ASSERT_EQ(program.values.size(), 62u) << c.size_before;
    for (int i = 0; i < 62; ++i) {
      EXPECT_EQ(program.values[static_cast<size_t>(i)], dsp.get_registered_param(i)->nrm()) << i;
    }
    for (int index : changed) {
      EXPECT_EQ(program.values[static_cast<size_t>(index)],
                0.125f + static_cast<float>(index) / 128.0f);
    }
  }
  // Initial values: "Mix2Lvl" at 0 dB is normalized 1, "VCF Freq" 16000 Hz is 1.
  mppi::ProgramSlot program;
  dsp.capture_registered_values(program);
  EXPECT_FLOAT_EQ(program.values[51], 1.0f);
  EXPECT_FLOAT_EQ(program.values[20], 0.0f);
}

TEST(PluginInternal, StopReleasesTheParameterLists) {
  synth::ZindleDsp dsp;
  dsp.init();
  dsp.stop();
  EXPECT_EQ(dsp.get_nbr_registered_params(), 0);
  mppi::ProgramSlot program;
  dsp.capture_registered_values(program);
  EXPECT_TRUE(program.values.empty());
}

}  // namespace
