// The 62 synth parameters as made from their rows: names, units and texts
// at both ends and at the initial value, then the mappings of their own
// (tuning, pulse width, LFO rate).

#include "synth/params/param_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "synth/params/param_classes.h"

namespace {

using synth::ParamId;

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

std::string text_at(const mppi::NormalizedParamInterface& p, float nrm) { return text_of(p, p.conv_nrm_to_val(nrm)); }

struct Expected {
  const char* name;
  const char* unit;
  const char* at0;
  const char* at1;
  const char* initial;
};

// In index order.
const Expected kExpected[synth::kNbrParams] = {
    {"VCO1 PWM Src", "", "ADSR", "LFO Sine", "ADSR"},
    {"VCO2 PWM Src", "", "ADSR", "LFO Sine", "ADSR"},
    {"VCO1 PWM Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCO2 PWM Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCO1 FM1 Src", "", "LFO Sq", "LFO Sine", "LFO Sine"},
    {"VCO2 FM1 Src", "", "S/H Mixer", "LFO Sine", "LFO Sine"},
    {"VCO1 FM2 Src", "", "ADSR", "S/H", "ADSR"},
    {"VCO2 FM2 Src", "", "ADSR", "S/H", "ADSR"},
    {"VCO1 FM1 Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCO2 FM1 Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCO1 FM2 Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCO2 FM2 Lvl", "%", "0.00", "100.00", "0.00"},
    {"Portamento", "ms", "0.0000", "1500.0", "0.0000"},
    {"VCF Mod1 Src", "", "S/H Mixer", "Keyboard", "Keyboard"},
    {"VCF Mod2 Src", "", "LFO Sine", "S/H", "LFO Sine"},
    {"VCF Mod3 Src", "", "AR", "ADSR", "AR"},
    {"VCF Mod1 Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCF Mod2 Lvl", "%", "0.00", "100.00", "0.00"},
    {"VCF Mod3 Lvl", "%", "0.00", "100.00", "0.00"},
    {"S/H Trig", "", "Keyboard", "LFO", "Keyboard"},
    {"Osc Mode", "", "Duo", "Mono", "Duo"},
    {"ADSR Atk Time", "ms", "5.0000", "20000", "5.0000"},
    {"ADSR Dcy Time", "ms", "5.0000", "20000", "5.0000"},
    {"ADSR Sus Lvl", "dB", "-oo", "0.0", "0.0"},
    {"ADSR Rel Time", "ms", "5.0000", "20000", "5.0000"},
    {"ADSR LFO Rep", "", "Kbd Gate", "LFO Rep", "Kbd Gate"},
    {"ADSR Auto-Rep", "", "Kbd Rep", "Auto Rep", "Kbd Rep"},
    {"AR Atk Time", "ms", "5.0000", "20000", "5.0000"},
    {"AR Rel Time", "ms", "5.0000", "20000", "5.0000"},
    {"AR LFO Re", "", "Kbd Gate", "LFO Rep", "Kbd Gate"},
    {"LFO Freq", "Hz", "0.200", "20.000", "2.000"},
    {"LFO Tempo Sync", "", "Off", "On", "Off"},
    {"LFO Key Trig", "", "On", "Off", "On"},
    {"VCO1 TuneC", "ST", "-36.00", "+36.00", "+0.00"},
    {"VCO2 TuneC", "ST", "-36.00", "+36.00", "+0.00"},
    {"VCO1 TuneF", "Cnt", "-100.0", "100.0", "0.0"},
    {"VCO2 TuneF", "Cnt", "-100.0", "100.0", "0.0"},
    {"VCO1 PW", "%", "50.0", "5.0", "50.0"},
    {"VCO2 PW", "%", "50.0", "5.0", "50.0"},
    {"VCO1 Src", "", "Audio", "LF", "Audio"},
    {"VCO2 Sync", "", "Off", "On", "Off"},
    {"Noise Type", "", "Pink", "White", "Pink"},
    {"S/H Lag", "ms", "0.0000", "2000.0", "0.0000"},
    {"S/H Mix1 Src", "", "VCO1Sq", "VCO1Saw", "VCO1Sq"},
    {"S/H Mix1 Lvl", "dB", "-oo", "0.0", "-oo"},
    {"S/H Mix2 Src", "", "VCO2Sq", "Noise", "VCO2Sq"},
    {"S/H Mix2 Lvl", "dB", "-oo", "0.0", "-oo"},
    {"Mix Src1", "", "RingMod", "Noise", "Noise"},
    {"Mix Src2", "", "VCO1Sq", "VCO1Saw", "VCO1Saw"},
    {"Mix Src3", "", "VCO2Sq", "VCO2Saw", "VCO2Saw"},
    {"Mix1Lvl", "dB", "-oo", "0.0", "-oo"},
    {"Mix2Lvl", "dB", "-oo", "0.0", "0.0"},
    {"Mix3Lvl", "dB", "-oo", "0.0", "-oo"},
    {"VCF Freq", "Hz", "16.0", "16000.0", "16000.0"},
    {"VCF Reso", "%", "0.00", "100.00", "0.00"},
    {"HPF Freq", "Hz", "16.0", "16000.0", "16.0"},
    {"VCA Gain", "dB", "-oo", "0.0", "-oo"},
    {"VCA Env", "", "AR", "ADSR", "AR"},
    {"VCA Env Lvl", "dB", "-oo", "0.0", "0.0"},
    {"Velo-VCA Sens", "%", "0.00", "100.00", "0.00"},
    {"Velo-VCF Sens", "%", "0.00", "100.00", "0.00"},
    {"A440 Tone", "", "Off", "On", "Off"},
};

TEST(ParamTable, EveryParameterShowsItsNameRangeAndInitialValue) {
  for (int i = 0; i < synth::kNbrParams; ++i) {
    const Expected& e = kExpected[i];
    const std::string at = "#" + std::to_string(i) + " " + e.name;
    const auto p = synth::create_param(synth::param_id(i));
    ASSERT_NE(p, nullptr) << at;
    EXPECT_EQ(name_of(*p), e.name) << at;
    EXPECT_EQ(unit_of(*p), e.unit) << at;
    EXPECT_EQ(text_at(*p, 0.0f), e.at0) << at;
    EXPECT_EQ(text_at(*p, 1.0f), e.at1) << at;
    EXPECT_EQ(text_of(*p, p->get_val()), e.initial) << at;
    EXPECT_EQ(p->src(), 0) << at;
    EXPECT_EQ(synth::find_param_index(e.name), i) << at;
  }
  EXPECT_EQ(synth::find_param_index("VCF Frequency"), -1);
  EXPECT_EQ(synth::find_param_index(nullptr), -1);
}

TEST(ParamTable, OwnMappingsAtChosenPositionsAndTyped) {
  struct Case {
    ParamId id;
    float nrm;
    double val;
    const char* text;
    const char* typed;
    double typed_val;
  };
  const Case cases[] = {
      {ParamId::kVco1TuneC, 0.5f, 0.0, "+0.00", "-40", -36.0},
      {ParamId::kVco2TuneC, 0.75f, 18.0, "+18.00", "+7", 7.0},
      {ParamId::kVco1TuneF, 0.25f, -0.5, "-50.0", "-250", -1.0},
      {ParamId::kVco2TuneF, 0.5f, 0.0, "0.0", "50", 0.5},
      {ParamId::kVco1Pw, 0.5f, 0.275, "27.5", "2", 0.05},
      {ParamId::kVco2Pw, 1.0f, 0.05, "5.0", "25 %", 0.25},
      {ParamId::kLfoFreq, 0.5f, 2.0, "2.000", "25", 20.0},
      {ParamId::kLfoFreq, 0.25f, 0.63245553203368, "0.632", "0", 0.2},
  };
  for (const Case& c : cases) {
    const auto p = synth::create_param(c.id);
    const std::string at = name_of(*p) + " at " + std::to_string(c.nrm);
    const double val = p->conv_nrm_to_val(c.nrm);
    EXPECT_NEAR(val, c.val, 1e-9) << at;
    EXPECT_EQ(text_of(*p, val), c.text) << at;
    EXPECT_NEAR(p->conv_val_to_nrm(val), c.nrm, 1e-6) << at;

    bool ok = false;
    EXPECT_NEAR(p->conv_str_to_val(c.typed, &ok), c.typed_val, 1e-12) << at << " typing " << c.typed;
    EXPECT_TRUE(ok) << c.typed;
    ok = false;
    p->conv_str_to_val("?", &ok);
    EXPECT_FALSE(ok) << at;
  }
}

TEST(ParamTable, LfoRateReadsInBeatsInTempoMode) {
  auto lfo = std::dynamic_pointer_cast<synth::ParamLfoRate>(synth::create_param(ParamId::kLfoFreq));
  ASSERT_NE(lfo, nullptr);
  lfo->set_tempo_mode(true);
  EXPECT_EQ(unit_of(*lfo), "Beat");
  const std::pair<double, const char*> texts[] = {{2.0, "1"}, {4.0, "1/2"}, {0.2, "10"}, {2.0 / 1.5, "1 1/2"}};
  for (const auto& [hz, text] : texts) EXPECT_EQ(text_of(*lfo, hz), text) << hz;
  char tiny[5];
  lfo->conv_val_to_str(tiny, sizeof(tiny), 4.0);
  EXPECT_STREQ(tiny, "");  // too narrow for a fraction

  const std::pair<const char*, double> typed[] = {{"4", 0.5}, {"1", 2.0}, {"0.5", 4.0}, {"0.01", 20.0}, {"0", 0.2}};
  for (const auto& [txt, hz] : typed) {
    bool ok = false;
    EXPECT_NEAR(lfo->conv_str_to_val(txt, &ok), hz, 1e-12) << txt;
    EXPECT_TRUE(ok) << txt;
  }
  // The natural value stays in hertz whatever the display.
  EXPECT_NEAR(lfo->conv_nrm_to_val(0.5f), 2.0, 1e-12);
  lfo->set_tempo_mode(false);
  EXPECT_EQ(unit_of(*lfo), "Hz");
}

}  // namespace
