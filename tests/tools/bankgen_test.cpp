#include <gtest/gtest.h>

#include "framework/core/bank_resource.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/params/param_id.h"
#include "tools/bankgen/bank_compiler.h"
#include "tools/bankgen/preset_source.h"

using bankgen::PresetSource;
using synth::ParamId;

namespace {

std::vector<PresetSource> sixty_four_with(const std::string& first_block) {
  std::string text = first_block;
  for (int i = 1; i < 64; ++i) text += "[P" + std::to_string(i) + "]\n";
  std::vector<PresetSource> presets;
  EXPECT_EQ(bankgen::parse_preset_source(text, presets), "");
  return presets;
}

float value_of(const mppi::BankManager& bank, int program, ParamId id) {
  return bank.use_program(program).values[static_cast<size_t>(synth::index(id))];
}

}  // namespace

TEST(PresetSource, ParsesBlocksAndReportsLines) {
  std::vector<PresetSource> presets;
  ASSERT_EQ(bankgen::parse_preset_source("# c\n[A]\nVCF Freq = 440 Hz  # comment\n\n[B]\n", presets), "");
  ASSERT_EQ(presets.size(), 2u);
  ASSERT_EQ(presets[0].settings.size(), 1u);
  const auto& setting = presets[0].settings[0];
  EXPECT_EQ(presets[0].name + "|" + setting.param + "|" + setting.value + "|" + std::to_string(setting.line),
            "A|VCF Freq|440 Hz|3");

  const std::pair<const char*, const char*> bad[] = {
      {"VCF Freq = 1\n", "line 1: a setting before the first [program name]"},
      {"[A\n", "line 1: a program name needs a closing ']'"},
      {"[A]\nVCF Freq\n", "line 2: expected 'Parameter Name = value'"},
      {"[A]\nVCF Freq = 1\nVCF Freq = 2\n", "line 3: 'VCF Freq' is set twice in this program"},
  };
  for (const auto& [text, message] : bad) {
    std::vector<PresetSource> out;
    EXPECT_EQ(bankgen::parse_preset_source(text, out), message) << text;
  }
}

TEST(BankCompiler, ValuesGoThroughTheParametersOwnConversions) {
  mppi::BankManager bank;
  const auto presets = sixty_four_with(
      "[Lead]\nVCF Freq = 506 Hz\nPortamento = 187.5 ms\nOsc Mode = Mono\nMix1Lvl = -6 dB\nVCO1 TuneC = +12\n");
  ASSERT_EQ(bankgen::compile_bank(presets, bank), "");
  EXPECT_NEAR(value_of(bank, 0, ParamId::kVcfFreq), 0.500010, 1e-6);  // 506 Hz
  EXPECT_NEAR(value_of(bank, 0, ParamId::kPortamento), 0.5, 1e-6);
  EXPECT_EQ(value_of(bank, 0, ParamId::kOscMode), 1.0f);
  EXPECT_NEAR(value_of(bank, 0, ParamId::kMix1Lvl), 0.7241956, 1e-6);  // -6 dB
  EXPECT_NEAR(value_of(bank, 0, ParamId::kVco1TuneC), 48.0 / 72.0, 1e-6);
  EXPECT_EQ(value_of(bank, 1, ParamId::kVcfFreq), 1.0f);  // untouched: the initial value
  EXPECT_EQ(bank.use_program(63).name, "P63");
}

TEST(BankCompiler, RefusesUnknownNamesBadValuesAndWrongCounts) {
  mppi::BankManager bank;
  EXPECT_EQ(bankgen::compile_bank(sixty_four_with("[X]\nVCF Frequency = 1\n"), bank),
            "line 2: no parameter is named 'VCF Frequency'");
  EXPECT_EQ(bankgen::compile_bank(sixty_four_with("[X]\nOsc Mode = Triple\n"), bank),
            "line 2: 'Triple' is not a value of 'Osc Mode'");
  EXPECT_EQ(bankgen::compile_bank(sixty_four_with("[P1]\n"), bank), "line 2: program name 'P1' is used twice");
  std::vector<PresetSource> few(3);
  EXPECT_EQ(bankgen::compile_bank(few, bank), "expected 64 programs, found 3");
}

TEST(BuiltinBanks, BothResourcesLoadSixtyFourProgramsOfSixtyTwoValues) {
  synth::register_builtin_banks();
  for (const char* name : {"static_presets", "DEFAULT_PRESET_BANK"}) {
    mppi::BankManager bank;
    ASSERT_EQ(mppi::load_bank_resource(name, bank), 0) << name;
    ASSERT_EQ(bank.get_nbr_programs(), 64);
    EXPECT_EQ(bank.use_program(0).name, "80sBass");
    EXPECT_EQ(bank.use_program(2).name, "AcademicLead");
    EXPECT_EQ(bank.get_size(), 20744);
    for (int p = 0; p < 64; ++p) {
      ASSERT_EQ(bank.use_program(p).values.size(), 62u);
      EXPECT_LE(bank.use_program(p).name.size(), 22u);
    }
  }
  mppi::BankManager untouched;
  EXPECT_EQ(mppi::load_bank_resource("NO_SUCH_BANK", untouched), -1);
  EXPECT_EQ(untouched.get_nbr_programs(), 1);
}
