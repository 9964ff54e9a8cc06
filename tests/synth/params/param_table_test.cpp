// Synth parameters as made from their rows: names, units and texts at
// both ends and at the initial value, then the mappings of their own
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
  int index;
  const char* name;
  const char* unit;
  const char* at0;
  const char* at1;
  const char* initial;
};

// One row of each kind of parameter; switches read their texts against
// their value.
const Expected kExpected[] = {
    {0, "VCO1 PWM Src", "", "ADSR", "LFO Sine", "ADSR"},
    {12, "Portamento", "ms", "0.0000", "1500.0", "0.0000"},
    {20, "Osc Mode", "", "Duo", "Mono", "Duo"},
    {23, "ADSR Sus Lvl", "dB", "-oo", "0.0", "0.0"},
    {30, "LFO Freq", "Hz", "0.200", "20.000", "2.000"},
    {32, "LFO Key Trig", "", "On", "Off", "On"},
    {33, "VCO1 TuneC", "ST", "-36.00", "+36.00", "+0.00"},
    {37, "VCO1 PW", "%", "50.0", "5.0", "50.0"},
    {53, "VCF Freq", "Hz", "16.0", "16000.0", "16000.0"},
    {61, "A440 Tone", "", "Off", "On", "Off"},
};

TEST(ParamTable, ParametersShowTheirNameRangeAndInitialValue) {
  for (const Expected& e : kExpected) {
    const std::string at = "#" + std::to_string(e.index) + " " + e.name;
    const auto p = synth::create_param(synth::param_id(e.index));
    ASSERT_NE(p, nullptr) << at;
    EXPECT_EQ(name_of(*p), e.name) << at;
    EXPECT_EQ(unit_of(*p), e.unit) << at;
    EXPECT_EQ(text_at(*p, 0.0f), e.at0) << at;
    EXPECT_EQ(text_at(*p, 1.0f), e.at1) << at;
    EXPECT_EQ(text_of(*p, p->get_val()), e.initial) << at;
    EXPECT_EQ(synth::find_param_index(e.name), e.index) << at;
  }
  for (int i = 0; i < synth::kNbrParams; ++i) {
    const auto p = synth::create_param(synth::param_id(i));
    EXPECT_EQ(synth::find_param_index(name_of(*p).c_str()), i) << "names are distinct";
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
      {ParamId::kVco1TuneF, 0.25f, -0.5, "-50.0", "-250", -1.0},
      {ParamId::kVco2Pw, 1.0f, 0.05, "5.0", "25 %", 0.25},
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
