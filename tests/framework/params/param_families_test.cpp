#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/params/param_filter_cutoff_mixin.h"
#include "framework/params/param_gain_mixin.h"
#include "framework/params/param_level_mixin.h"
#include "framework/params/param_lfo_repeat_mixin.h"
#include "framework/params/param_numbered.h"
#include "framework/params/param_text.h"
#include "framework/params/param_time_mixin.h"
#include "framework/params/param_two_state_mixin.h"

namespace {

class GainParam : public mppi::ParamGainMixin {
public:
  void get_name(char* buf, int len) const override { mppi::copy_bounded(buf, len, "Gain"); }
};

class LevelParam : public mppi::ParamLevelMixin {
public:
  void get_name(char* buf, int len) const override { mppi::copy_bounded(buf, len, "Level"); }
};

template <class MAPPER>
class TimeParam : public mppi::ParamTimeMixin<MAPPER> {
public:
  void get_name(char* buf, int len) const override { mppi::copy_bounded(buf, len, "Time"); }
};

class OffOnParam : public mppi::ParamTwoStateMixin {
public:
  OffOnParam() : ParamTwoStateMixin("Off", "On") {}
  void get_name(char* buf, int len) const override { mppi::copy_bounded(buf, len, "Switch"); }
};

class OnOffParam : public mppi::ParamTwoStateMixin {
public:
  OnOffParam() : ParamTwoStateMixin("On", "Off") {}
  void get_name(char* buf, int len) const override { mppi::copy_bounded(buf, len, "Switch"); }
};

class RepeatParam : public mppi::ParamLfoRepeatMixin {
public:
  void get_name(char* buf, int len) const override { mppi::copy_bounded(buf, len, "Repeat"); }
};

class NumberedLevel : public mppi::ParamNumbered, public mppi::ParamLevelMixin {
public:
  void get_prefix(char* buf, int len) const override { mppi::copy_bounded(buf, len, "VCO"); }
  void get_suffix(char* buf, int len) const override { mppi::copy_bounded(buf, len, " PW"); }
};

class Cutoff : public mppi::ParamFilterCutoffMixin {
public:
  void get_prefix(char* buf, int len) const override { mppi::copy_bounded(buf, len, "VCF "); }
};

std::string text_of(const mppi::NormalizedParamInterface& p, double val, int len = 32) {
  char buf[64];
  p.conv_val_to_str(buf, len, val);
  return buf;
}

struct Parsed {
  bool ok;
  double val;
};

Parsed parse(const mppi::NormalizedParamInterface& p, const char* txt) {
  bool ok = false;
  const double v = p.conv_str_to_val(txt, &ok);
  return {ok, v};
}

TEST(ParamFamilies, GainCurveAndDecibels) {
  const GainParam gain;
  EXPECT_DOUBLE_EQ(gain.conv_nrm_to_val(0.0f), 0.0);
  EXPECT_NEAR(gain.conv_nrm_to_val(0.5f), (std::sqrt(8.0) - 1.0) / 7.0, 1e-12);
  EXPECT_NEAR(gain.conv_nrm_to_val(1.0f), 1.0, 1e-12);
  EXPECT_NEAR(gain.conv_val_to_nrm((std::sqrt(8.0) - 1.0) / 7.0), 0.5f, 1e-7);
  EXPECT_EQ(gain.conv_val_to_nrm(-0.5), 0.0f);

  EXPECT_EQ(text_of(gain, 0.0), "-oo");
  EXPECT_EQ(text_of(gain, 0.00001), "-oo");
  EXPECT_EQ(text_of(gain, 1.0), "0.0");
  EXPECT_EQ(text_of(gain, 0.5), "-6.0");
  EXPECT_EQ(text_of(gain, 0.0000101), "-99.9");

  struct Case {
    const char* txt;
    bool ok;
    double val;
  };
  const Case cases[] = {{"-oo", true, 0.0}, {"OO", true, 0.0},      {"6", true, 1.0},
                        {"0", true, 1.0},   {"-6", true, 0.501187}, {"-20 dB", true, 0.1},
                        {"loud", false, 0.0}};
  for (const Case& c : cases) {
    const Parsed r = parse(gain, c.txt);
    EXPECT_EQ(r.ok, c.ok) << c.txt;
    if (c.ok) {
      EXPECT_NEAR(r.val, c.val, 1e-6) << c.txt;
    }
  }
}

// Typed values outside a family's range are clamped; text shows the family's
// own precision.
TEST(ParamFamilies, TypedValuesClampAndTextsKeepTheirPrecision) {
  const LevelParam level;
  const TimeParam<mppi::EnvTimeParamMapper<5, 20000>> env_time;
  const TimeParam<mppi::ZeroTimeParamMapper<1500>> zero_time;
  Cutoff cutoff;

  struct ParseCase {
    const mppi::NormalizedParamInterface* param;
    const char* txt;
    double val;
  };
  const ParseCase parses[] = {
      {&level, "150", 1.0},          {&level, "-3", 0.0},         {&level, "42 %", 0.42},
      {&env_time, "1", 0.005},       {&env_time, "250", 0.25},    {&env_time, "100000", 20.0},
      {&zero_time, "-5", 0.0},       {&zero_time, "3000", 1.5},   {&cutoff, "20000", 16000.0},
      {&cutoff, "10", 16.0},         {&cutoff, "440 Hz", 440.0},  {&cutoff, "inf", 16000.0},
  };
  for (const ParseCase& c : parses) {
    const Parsed r = parse(*c.param, c.txt);
    EXPECT_TRUE(r.ok) << c.txt;
    EXPECT_DOUBLE_EQ(r.val, c.val) << c.txt;
  }
  EXPECT_FALSE(parse(level, "%").ok);
  EXPECT_FALSE(parse(env_time, "ms").ok);

  struct TextCase {
    const mppi::NormalizedParamInterface* param;
    double val;
    const char* expected;
  };
  const TextCase texts[] = {
      {&level, 0.5, "50.00"},           {&level, 0.12345, "12.35"},
      {&env_time, 0.005, "5.0000"},     {&env_time, 20.0, "20000"},
      {&env_time, std::sqrt(0.1), "316.22"},
      {&zero_time, 0.1875, "187.50"},   {&zero_time, 1.5, "1500.0"},
      {&zero_time, 0.0, "0.0000"},      {&cutoff, 16.0 * std::sqrt(1000.0), "506.0"},
  };
  for (const TextCase& c : texts) EXPECT_EQ(text_of(*c.param, c.val), c.expected) << c.val;

  // Out-of-range natural values still give normalized values inside 0..1.
  EXPECT_EQ(env_time.conv_val_to_nrm(0.001), 0.0f);
  EXPECT_EQ(env_time.conv_val_to_nrm(60.0), 1.0f);
  EXPECT_EQ(zero_time.conv_val_to_nrm(1e-21), 0.0f);
  EXPECT_LE(env_time.conv_nrm_to_val(1.0f), 20.0);
  EXPECT_LE(cutoff.conv_nrm_to_val(1.0f), 16000.0);
}

TEST(ParamFamilies, TwoStateRoundsAndParsesInLabelOrder) {
  const OffOnParam off_on;
  const OnOffParam on_off;
  EXPECT_EQ(off_on.is_discrete(), 1);
  char unit[8] = "junk";
  off_on.get_unit(unit, sizeof(unit));
  EXPECT_STREQ(unit, "");

  EXPECT_EQ(off_on.conv_nrm_to_val(0.5f), 1.0);
  EXPECT_EQ(off_on.conv_nrm_to_val(0.49f), 0.0);
  EXPECT_EQ(off_on.conv_val_to_nrm(0.7), 1.0f);

  struct TextCase {
    double val;
    const char* expected;
  };
  const TextCase texts[] = {{0.0, "Off"}, {0.25, "Off"}, {0.5, "On"},  {0.7, "On"},
                            {1.0, "On"},  {1.6, "On"},   {-0.7, "Off"}};
  for (const TextCase& c : texts) EXPECT_EQ(text_of(off_on, c.val), c.expected) << c.val;

  struct ParseCase {
    const mppi::ParamTwoStateMixin* param;
    const char* txt;
    bool ok;
    double val;
  };
  const ParseCase parses[] = {
      {&off_on, "on", true, 1.0},  {&off_on, "Off", true, 0.0}, {&off_on, "OFF now", true, 0.0},
      {&off_on, "x", false, 0.0},  {&on_off, "Off", true, 1.0},  {&on_off, "on", true, 0.0},
      {&on_off, "of", false, 0.0}, {&off_on, "on or off", true, 0.0}, {&on_off, "off or on", true, 0.0},
  };
  for (const ParseCase& c : parses) {
    const Parsed r = parse(*c.param, c.txt);
    EXPECT_EQ(r.ok, c.ok) << c.txt;
    if (c.ok) {
      EXPECT_EQ(r.val, c.val) << c.txt;
    }
  }

  const RepeatParam repeat;
  EXPECT_EQ(text_of(repeat, 0.0), "Kbd Gate");
  EXPECT_EQ(text_of(repeat, 1.0), "LFO Rep");
  EXPECT_EQ(text_of(repeat, 1.0, 4), "LFO");
}

TEST(ParamFamilies, NumberedNameIsCutToTheBuffer) {
  NumberedLevel param;
  param.setup(0.25, 0, 1);
  EXPECT_EQ(param.get_number(), 1);
  EXPECT_DOUBLE_EQ(param.get_val(), 0.25);
  EXPECT_FLOAT_EQ(param.nrm(), 0.25f);
  EXPECT_EQ(param.src(), 0);

  struct Case {
    int len;
    const char* expected;
  };
  const Case cases[] = {{1, ""}, {4, "VCO"}, {5, "VCO2"}, {6, "VCO2 "}, {8, "VCO2 PW"}, {32, "VCO2 PW"}};
  for (const Case& c : cases) {
    char buf[40];
    std::fill(buf, buf + sizeof(buf), 'x');
    param.get_name(buf, c.len);
    EXPECT_STREQ(buf, c.expected) << "len " << c.len;
    EXPECT_EQ(buf[c.len], 'x') << "wrote past len " << c.len;
  }
}

TEST(ParamFamilies, NamedNameIsPrefixMiddleSuffix) {
  Cutoff cutoff;
  cutoff.setup(16000.0, 0, "");
  EXPECT_DOUBLE_EQ(cutoff.get_val(), 16000.0);
  char name[16];
  cutoff.get_name(name, sizeof(name));
  EXPECT_STREQ(name, "VCF Freq");
  cutoff.get_name(name, 6);
  EXPECT_STREQ(name, "VCF F");
  cutoff.setup(1000.0, 0, "Main ");
  cutoff.get_name(name, sizeof(name));
  EXPECT_STREQ(name, "VCF Main Freq");
}

TEST(ParamFamilies, SetValKeepsNormalizedCopyAndNotifyRaisesFlag) {
  LevelParam level;
  mppi::NotificationFlag flag;
  level.notified = &flag;
  level.set_val(0.3, 7);
  EXPECT_FLOAT_EQ(level.nrm(), 0.3f);
  EXPECT_FLOAT_EQ(level.nrm_set(), 0.3f);
  EXPECT_EQ(level.src(), 7);
  EXPECT_FALSE(flag.is_raised());  // set_val does not notify

  level.set_nrm_and_notify(0.8f);
  EXPECT_DOUBLE_EQ(level.get_val(), 0.8f);
  EXPECT_FLOAT_EQ(level.nrm_set(), 0.3f);
  EXPECT_TRUE(flag.test_and_clear());
  EXPECT_FALSE(flag.is_raised());
}

}  // namespace
