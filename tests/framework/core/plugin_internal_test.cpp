#include "framework/core/plugin_internal.h"

#include <gtest/gtest.h>

#include "framework/core/program_slot.h"
#include "support/fake_dsp.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

// Whatever the program held before, it takes the registered values in
// registration order; before init and after stop there are none.
TEST(PluginInternal, CapturesNormalizedValuesInRegistrationOrder) {
  zindle_test::FakeDsp dsp(62);
  mppi::ProgramSlot program;
  program.values = {0.5f, 0.25f};
  dsp.capture_registered_values(program);
  EXPECT_TRUE(program.values.empty());

  dsp.init();
  for (int index : {0, 30, 61}) dsp.get_param(index)->set_nrm_and_notify(0.125f + static_cast<float>(index) / 128.0f);
  for (size_t size_before : {0u, 200u}) {
    program.values.assign(size_before, -1.0f);
    dsp.capture_registered_values(program);
    ASSERT_EQ(program.values.size(), 62u) << size_before;
    for (int index : {0, 30, 61}) EXPECT_EQ(program.values[size_t(index)], 0.125f + float(index) / 128.0f);
    EXPECT_EQ(program.values[1], dsp.get_registered_param(1)->nrm());
  }
  dsp.stop();
  dsp.capture_registered_values(program);
  EXPECT_TRUE(program.values.empty());
}

}  // namespace
