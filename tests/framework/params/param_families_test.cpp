// The mapping families, one parameter of each: values out of range and
// typed text stay inside the range or are refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/params/param_filter_cutoff_mixin.h"
#include "framework/params/param_gain_mixin.h"
#include "framework/params/param_level_mixin.h"
#include "framework/params/param_time_mixin.h"
#include "framework/params/param_two_state_mixin.h"

namespace {

using EnvTime = mppi::ParamTime<mppi::EnvTimeParamMapper<5, 20000>>;
using ZeroTime = mppi::ParamTime<mppi::ZeroTimeParamMapper<1500>>;

std::string text_of(const mppi::NormalizedParamInterface& p, double val, int len = 32) {
  char buf[64];
  p.conv_val_to_str(buf, len, val);
  return buf;
}

struct Family {
  const mppi::ParamGain gain{"Gain"};
  const mppi::ParamLevel level{"Level"};
  const EnvTime env_time{"Env"};
  const ZeroTime zero_time{"Porta"};
  const mppi::ParamCutoff cutoff{"VCF Freq"};
  const mppi::ParamChoice off_on{"Sync", "Off", "On"};
  const mppi::ParamChoice on_off{"Trig", "On", "Off"};
  const mppi::ParamBlendChoice blend{"PWM Src", "ADSR", "LFO Sine"};
};

TEST(ParamFamilies, OutOfRangeValuesStayInside) {
  const Family f;
  EXPECT_EQ(text_of(f.gain, 0.00001), "-oo");
  EXPECT_EQ(text_of(f.gain, 0.0000101), "-99.9");
  EXPECT_EQ(f.gain.conv_val_to_nrm(-0.5), 0.0f);
  EXPECT_EQ(f.env_time.conv_val_to_nrm(0.001), 0.0f);
  EXPECT_EQ(f.env_time.conv_val_to_nrm(60.0), 1.0f);
  EXPECT_EQ(f.zero_time.conv_val_to_nrm(1e-21), 0.0f);
  EXPECT_EQ(text_of(f.off_on, -0.7), "Off");
  EXPECT_EQ(text_of(f.off_on, 1.6), "On");
  EXPECT_EQ(text_of(f.blend, 1.0, 4), "LFO");
}

TEST(ParamFamilies, TypedTextIsReadInTheShownUnitAndClamped) {
  const Family f;
  const struct {
    const mppi::NormalizedParamInterface* param;
    const char* txt;
    bool ok;
    double val;
  } cases[] = {
      {&f.gain, "OO", true, 0.0},          {&f.gain, "-6", true, 0.50118723362727},
      {&f.gain, "-20 dB", true, 0.1},      {&f.gain, "loud", false, 0.0},
      {&f.level, "150", true, 1.0},        {&f.level, "42 %", true, 0.42},
      {&f.level, "%", false, 0.0},         {&f.env_time, "1", true, 0.005},
      {&f.env_time, "250", true, 0.25},    {&f.zero_time, "-5", true, 0.0},
      {&f.cutoff, "20000", true, 16000.0}, {&f.cutoff, "inf", true, 16000.0},
      {&f.cutoff, "nan", false, 0.0},      {&f.off_on, "OFF now", true, 0.0},
      {&f.off_on, "on or off", true, 0.0}, {&f.off_on, "x", false, 0.0},
      {&f.on_off, "Off", true, 1.0},       {&f.on_off, "of", false, 0.0},
      {&f.blend, "lfo sine", true, 1.0},
  };
  for (const auto& c : cases) {
    bool ok = false;
    const double val = c.param->conv_str_to_val(c.txt, &ok);
    EXPECT_EQ(ok, c.ok) << c.txt;
    EXPECT_NEAR(c.ok ? val : 0.0, c.val, 1e-9) << c.txt;
  }
}

}  // namespace
