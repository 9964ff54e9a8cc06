#include "framework/core/plugin_internal.h"

#include <gtest/gtest.h>

#include "framework/core/program_slot.h"
#include "support/fake_dsp.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

using FakeDsp = zindle_test::FakeDsp;

TEST(PluginInternal, EmptyRegistryCapturesAnEmptyProgram) {
  FakeDsp dsp(62);  // before init nothing is registered
  EXPECT_EQ(dsp.get_nbr_registered_params(), 0);
  mppi::ProgramSlot program;
  program.values = {0.5f, 0.25f};
  dsp.capture_registered_values(program);
  EXPECT_TRUE(program.values.empty());
}

TEST(PluginInternal, CapturesNormalizedValuesInRegistrationOrder) {
  FakeDsp dsp(62);
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
}

TEST(PluginInternal, StopReleasesTheParameterLists) {
  FakeDsp dsp(62);
  dsp.init();
  dsp.stop();
  EXPECT_EQ(dsp.get_nbr_registered_params(), 0);
  mppi::ProgramSlot program;
  dsp.capture_registered_values(program);
  EXPECT_TRUE(program.values.empty());
}

}  // namespace
