// All 62 synth parameters as the plug-in sees them: through the DSP object,
// by internal index.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "synth/dsp/param_control.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

enum class Curve { kChoice, kChoiceRaw, kLevel, kGain, kEnvTime, kPorta, kLag, kCutoff, kCoarse, kFine, kPw, kLfo };

// Natural value at normalized n, written out from the mapping formulas.
double natural(Curve curve, double n) {
  switch (curve) {
    case Curve::kChoice: return std::floor(n + 0.5);
    case Curve::kChoiceRaw: return n;
    case Curve::kLevel: return n;
    case Curve::kGain: return (std::pow(8.0, n) - 1.0) / 7.0;
    case Curve::kEnvTime: return 0.005 * std::pow(20.0 / 0.005, n);
    case Curve::kPorta: return n * n * n * 1.5;
    case Curve::kLag: return n * n * n * 2.0;
    case Curve::kCutoff: return std::min(16.0 * std::pow(1000.0, n), 16000.0);
    case Curve::kCoarse: return 72.0 * n - 36.0;
    case Curve::kFine: return 2.0 * n - 1.0;
    case Curve::kPw: return std::max(0.05, 0.5 - 0.45 * n);
    case Curve::kLfo: return std::min(0.2 * std::pow(100.0, n), 20.0);
  }
  return 0.0;
}

bool is_choice(Curve curve) { return curve == Curve::kChoice || curve == Curve::kChoiceRaw; }

struct Row {
  const char* name;
  const char* unit;
  Curve curve;
  double initial;
  const char* initial_text;
  const char* typed;
  double typed_val;
  const char* group;  // parameters of one group share one flag
};

const double kMinus6Db = std::pow(10.0, -6.0 / 20.0);

const Row kTable[62] = {
    {"VCO1 PWM Src", "", Curve::kChoiceRaw, 0, "ADSR", "lfo sine", 1, "core0"},
    {"VCO2 PWM Src", "", Curve::kChoiceRaw, 0, "ADSR", "ADSR", 0, "core1"},
    {"VCO1 PWM Lvl", "%", Curve::kLevel, 0, "0.00", "25", 0.25, "core0"},
    {"VCO2 PWM Lvl", "%", Curve::kLevel, 0, "0.00", "120", 1, "core1"},
    {"VCO1 FM1 Src", "", Curve::kChoice, 1, "LFO Sine", "LFO Sq", 0, "core2"},
    {"VCO2 FM1 Src", "", Curve::kChoice, 1, "LFO Sine", "s/h mixer", 0, "core3"},
    {"VCO1 FM2 Src", "", Curve::kChoice, 0, "ADSR", "S/H", 1, "core2"},
    {"VCO2 FM2 Src", "", Curve::kChoice, 0, "ADSR", "s/h", 1, "core3"},
    {"VCO1 FM1 Lvl", "%", Curve::kLevel, 0, "0.00", "50", 0.5, "core2"},
    {"VCO2 FM1 Lvl", "%", Curve::kLevel, 0, "0.00", "-1", 0, "core3"},
    {"VCO1 FM2 Lvl", "%", Curve::kLevel, 0, "0.00", "12.5", 0.125, "core2"},
    {"VCO2 FM2 Lvl", "%", Curve::kLevel, 0, "0.00", "100", 1, "core3"},
    {"Portamento", "ms", Curve::kPorta, 0, "0.0000", "187.5", 0.1875, "core5"},
    {"VCF Mod1 Src", "", Curve::kChoice, 1, "Keyboard", "S/H Mixer", 0, "core4"},
    {"VCF Mod2 Src", "", Curve::kChoice, 0, "LFO Sine", "S/H", 1, "core4"},
    {"VCF Mod3 Src", "", Curve::kChoice, 0, "AR", "ADSR", 1, "core4"},
    {"VCF Mod1 Lvl", "%", Curve::kLevel, 0, "0.00", "75", 0.75, "core4"},
    {"VCF Mod2 Lvl", "%", Curve::kLevel, 0, "0.00", "1", 0.01, "core4"},
    {"VCF Mod3 Lvl", "%", Curve::kLevel, 0, "0.00", "99", 0.99, "core4"},
    {"S/H Trig", "", Curve::kChoice, 0, "Keyboard", "lfo", 1, "core5"},
    {"Osc Mode", "", Curve::kChoice, 0, "Duo", "MONO", 1, "core5"},
    {"ADSR Atk Time", "ms", Curve::kEnvTime, 0.005, "5.0000", "1000", 1.0, "control0"},
    {"ADSR Dcy Time", "ms", Curve::kEnvTime, 0.005, "5.0000", "1", 0.005, "control0"},
    {"ADSR Sus Lvl", "dB", Curve::kGain, 1, "0.0", "-6", kMinus6Db, "control0"},
    {"ADSR Rel Time", "ms", Curve::kEnvTime, 0.005, "5.0000", "30000", 20.0, "control0"},
    {"ADSR LFO Rep", "", Curve::kChoice, 0, "Kbd Gate", "LFO Rep", 1, "control1"},
    {"ADSR Auto-Rep", "", Curve::kChoice, 0, "Kbd Rep", "Auto Rep", 1, "control1"},
    {"AR Atk Time", "ms", Curve::kEnvTime, 0.005, "5.0000", "250", 0.25, "control2"},
    {"AR Rel Time", "ms", Curve::kEnvTime, 0.005, "5.0000", "20000", 20.0, "control2"},
    {"AR LFO Re", "", Curve::kChoice, 0, "Kbd Gate", "lfo rep", 1, "control3"},
    {"LFO Freq", "Hz", Curve::kLfo, 2.0, "2.000", "25", 20.0, "control4"},
    {"LFO Tempo Sync", "", Curve::kChoice, 0, "Off", "On", 1, "control4"},
    {"LFO Key Trig", "", Curve::kChoice, 0, "On", "Off", 1, "control4"},
    {"VCO1 TuneC", "ST", Curve::kCoarse, 0, "+0.00", "-40", -36.0, "generator0"},
    {"VCO2 TuneC", "ST", Curve::kCoarse, 0, "+0.00", "7", 7.0, "generator1"},
    {"VCO1 TuneF", "Cnt", Curve::kFine, 0, "0.0", "50", 0.5, "generator0"},
    {"VCO2 TuneF", "Cnt", Curve::kFine, 0, "0.0", "-250", -1.0, "generator1"},
    {"VCO1 PW", "%", Curve::kPw, 0.5, "50.0", "2", 0.05, "generator0"},
    {"VCO2 PW", "%", Curve::kPw, 0.5, "50.0", "25", 0.25, "generator1"},
    {"VCO1 Src", "", Curve::kChoice, 0, "Audio", "LF", 1, "generator0"},
    {"VCO2 Sync", "", Curve::kChoice, 0, "Off", "on", 1, "generator2"},
    {"Noise Type", "", Curve::kChoice, 0, "Pink", "White", 1, "noise"},
    {"S/H Lag", "ms", Curve::kLag, 0, "0.0000", "2500", 2.0, "sh0"},
    {"S/H Mix1 Src", "", Curve::kChoice, 0, "VCO1Sq", "VCO1Saw", 1, "sh1"},
    {"S/H Mix1 Lvl", "dB", Curve::kGain, 0, "-oo", "-oo", 0, "sh1"},
    {"S/H Mix2 Src", "", Curve::kChoice, 0, "VCO2Sq", "Noise", 1, "sh2"},
    {"S/H Mix2 Lvl", "dB", Curve::kGain, 0, "-oo", "0", 1, "sh2"},
    {"Mix Src1", "", Curve::kChoice, 1, "Noise", "RingMod", 0, "mixer0"},
    {"Mix Src2", "", Curve::kChoice, 1, "VCO1Saw", "vco1sq", 0, "mixer0"},
    {"Mix Src3", "", Curve::kChoice, 1, "VCO2Saw", "VCO2Sq", 0, "mixer0"},
    {"Mix1Lvl", "dB", Curve::kGain, 0, "-oo", "-6", kMinus6Db, "mixer0"},
    {"Mix2Lvl", "dB", Curve::kGain, 1, "0.0", "6", 1, "mixer0"},
    {"Mix3Lvl", "dB", Curve::kGain, 0, "-oo", "OO", 0, "mixer0"},
    {"VCF Freq", "Hz", Curve::kCutoff, 16000, "16000.0", "20000", 16000, "mixer1"},
    {"VCF Reso", "%", Curve::kLevel, 0, "0.00", "90", 0.9, "mixer1"},
    {"HPF Freq", "Hz", Curve::kCutoff, 16, "16.0", "1000", 1000, "mixer2"},
    {"VCA Gain", "dB", Curve::kGain, 0, "-oo", "-20", 0.1, "mixer3"},
    {"VCA Env", "", Curve::kChoice, 0, "AR", "ADSR", 1, "mixer3"},
    {"VCA Env Lvl", "dB", Curve::kGain, 1, "0.0", "-120", 1e-6, "mixer3"},
    {"Velo-VCA Sens", "%", Curve::kLevel, 0, "0.00", "33", 0.33, "mixer3"},
    {"Velo-VCF Sens", "%", Curve::kLevel, 0, "0.00", "66", 0.66, "mixer1"},
    {"A440 Tone", "", Curve::kChoice, 0, "Off", "On", 1, "mixer0"},
};

std::string name_of(const mppi::NormalizedParamInterface& p) {
  char buf[64];
  p.get_name(buf, sizeof(buf));
  return buf;
}

std::string unit_of(const mppi::NormalizedParamInterface& p) {
  char buf[64];
  p.get_unit(buf, sizeof(buf));
  return buf;
}

std::string text_of(const mppi::NormalizedParamInterface& p, double val) {
  char buf[64];
  p.conv_val_to_str(buf, sizeof(buf), val);
  return buf;
}

void expect_close(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, std::fabs(expected))) << what;
}

class ParamTable : public ::testing::Test {
protected:
  void SetUp() override { dsp_.init(); }
  mppi::NormalizedParamInterface& param(int index) { return *dsp_.get_param(index); }

  synth::ZindleDsp dsp_;
};

TEST_F(ParamTable, EveryParameterMatchesItsRow) {
  ASSERT_EQ(dsp_.get_nbr_param(), 62);
  for (int i = 0; i < 62; ++i) {
    const Row& row = kTable[i];
    const std::string at = "#" + std::to_string(i) + " " + row.name;
    ASSERT_NE(dsp_.get_param(i), nullptr) << at;
    const mppi::NormalizedParamInterface& p = param(i);

    EXPECT_EQ(name_of(p), row.name) << at;
    EXPECT_EQ(unit_of(p), row.unit) << at;
    EXPECT_EQ(p.is_discrete(), is_choice(row.curve) ? 1 : 0) << at;
    EXPECT_TRUE(p.is_automatable()) << at;

    EXPECT_EQ(p.get_val(), row.initial) << at;
    expect_close(p.conv_nrm_to_val(p.nrm()), row.initial, at + " initial through nrm");
    EXPECT_EQ(text_of(p, p.get_val()), row.initial_text) << at;

    for (float n : {0.0f, 0.5f, 1.0f}) {
      const double expected = natural(row.curve, n);
      expect_close(p.conv_nrm_to_val(n), expected, at + " at " + std::to_string(n));
      if (!is_choice(row.curve)) {
        expect_close(p.conv_val_to_nrm(expected), n, at + " back from " + std::to_string(expected));
      }
    }

    bool ok = false;
    const double typed = p.conv_str_to_val(row.typed, &ok);
    EXPECT_TRUE(ok) << at << " typing " << row.typed;
    expect_close(typed, row.typed_val, at + " typing " + row.typed);

    // Text of a value reads back to a value with the same text.
    const double v = p.conv_nrm_to_val(0.3f);
    const std::string shown = text_of(p, v);
    ok = false;
    const double back = p.conv_str_to_val(shown.c_str(), &ok);
    EXPECT_TRUE(ok) << at << " reading " << shown;
    EXPECT_EQ(text_of(p, back), shown) << at;

    ok = false;
    p.conv_str_to_val("?", &ok);
    EXPECT_FALSE(ok) << at;
  }
}

TEST_F(ParamTable, GroupsShareOneFlagEach) {
  std::map<std::string, mppi::NotifiedInterface*> flag_of_group;
  for (int i = 0; i < 62; ++i) {
    mppi::NotifiedInterface* flag = param(i).notified;
    ASSERT_NE(flag, nullptr) << kTable[i].name;
    const auto inserted = flag_of_group.emplace(kTable[i].group, flag);
    EXPECT_EQ(inserted.first->second, flag) << kTable[i].name << " is not with its group " << kTable[i].group;
  }
  ASSERT_EQ(flag_of_group.size(), 22u);
  for (const auto& a : flag_of_group) {
    for (const auto& b : flag_of_group) {
      if (a.first != b.first) {
        EXPECT_NE(a.second, b.second) << a.first << " and " << b.first;
      }
    }
  }
}

TEST_F(ParamTable, DisplayAtChosenPositions) {
  struct Case {
    int index;
    float nrm;
    double val;
    const char* text;
  };
  const Case cases[] = {
      {12, 0.5f, 0.1875, "187.50"}, {53, 0.0f, 16.0, "16.0"},    {53, 1.0f, 16000.0, "16000.0"},
      {33, 0.5f, 0.0, "+0.00"},     {33, 1.0f, 36.0, "+36.00"},  {33, 0.0f, -36.0, "-36.00"},
      {37, 0.0f, 0.5, "50.0"},      {37, 1.0f, 0.05, "5.0"},     {35, 0.25f, -0.5, "-50.0"},
      {0, 0.7f, 0.7f, "LFO Sine"},  {0, 0.3f, 0.3f, "ADSR"},     {21, 1.0f, 20.0, "20000"},
      {21, 0.0f, 0.005, "5.0000"},  {42, 1.0f, 2.0, "2000.0"},   {51, 0.0f, 0.0, "-oo"},
      {30, 0.0f, 0.2, "0.200"},     {30, 1.0f, 20.0, "20.000"},
  };
  for (const Case& c : cases) {
    mppi::NormalizedParamInterface& p = param(c.index);
    p.set_nrm_and_notify(c.nrm);
    const std::string at = "#" + std::to_string(c.index) + " at " + std::to_string(c.nrm);
    expect_close(p.get_val(), c.val, at);
    EXPECT_EQ(text_of(p, p.get_val()), c.text) << at;
  }
}

TEST_F(ParamTable, LfoRateReadsInBeatsInTempoMode) {
  auto* lfo = dynamic_cast<ParamCtrlLfoPer*>(&param(30));
  ASSERT_NE(lfo, nullptr);
  EXPECT_EQ(text_of(*lfo, 2.0), "2.000");
  EXPECT_EQ(unit_of(*lfo), "Hz");

  lfo->set_tempo_mode(true);
  EXPECT_EQ(unit_of(*lfo), "Beat");
  EXPECT_EQ(text_of(*lfo, 2.0), "1");
  EXPECT_EQ(text_of(*lfo, 4.0), "1/2");
  EXPECT_EQ(text_of(*lfo, 0.2), "10");
  EXPECT_EQ(text_of(*lfo, 2.0 / 1.5), "1 1/2");
  char tiny[5];
  lfo->conv_val_to_str(tiny, sizeof(tiny), 4.0);
  EXPECT_STREQ(tiny, "");  // too narrow for a fraction

  struct Case {
    const char* txt;
    double hz;
  };
  const Case cases[] = {{"4", 0.5}, {"1", 2.0}, {"0.5", 4.0}, {"20", 0.2}, {"0.01", 20.0}, {"0", 0.2}};
  for (const Case& c : cases) {
    bool ok = false;
    expect_close(lfo->conv_str_to_val(c.txt, &ok), c.hz, c.txt);
    EXPECT_TRUE(ok) << c.txt;
  }
  // The natural value stays in hertz whatever the display.
  expect_close(lfo->conv_nrm_to_val(0.5f), 2.0, "nrm 0.5 in tempo mode");
}

}  // namespace
