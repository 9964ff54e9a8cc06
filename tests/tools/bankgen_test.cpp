#include <gtest/gtest.h>

#include <cmath>

#include "framework/core/bank_resource.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/zindle_dsp.h"
#include "tools/bankgen/bank_compiler.h"
#include "tools/bankgen/preset_source.h"

using bankgen::PresetSource;

namespace {

std::vector<PresetSource> sixty_four_with(const std::string& first_block) {
  std::string text = first_block;
  for (int i = 1; i < 64; ++i) text += "[P" + std::to_string(i) + "]\n";
  std::vector<PresetSource> presets;
  EXPECT_EQ(bankgen::parse_preset_source(text, presets), "");
  return presets;
}

}  // namespace

TEST(PresetSource, ParsesBlocksAndReportsLines) {
  std::vector<PresetSource> presets;
  ASSERT_EQ(bankgen::parse_preset_source("# c\n[A]\nVCF Freq = 440 Hz  # comment\n\n[B]\n", presets), "");
  ASSERT_EQ(presets.size(), 2u);
  EXPECT_EQ(presets[0].name, "A");
  ASSERT_EQ(presets[0].settings.size(), 1u);
  EXPECT_EQ(presets[0].settings[0].param, "VCF Freq");
  EXPECT_EQ(presets[0].settings[0].value, "440 Hz");
  EXPECT_EQ(presets[0].settings[0].line, 3);

  const std::pair<const char*, const char*> bad[] = {
      {"VCF Freq = 1\n", "line 1: a setting before the first [program name]"},
      {"[A\n", "line 1: a program name needs a closing ']'"},
      {"[A]\nVCF Freq\n", "line 2: expected 'Parameter Name = value'"},
      {"[A]\nVCF Freq = 1\nVCF Freq = 2\n", "line 3: 'VCF Freq' is set twice in this program"},
      {"[]\n", "line 1: empty program name"},
  };
  for (const auto& [text, message] : bad) {
    std::vector<PresetSource> out;
    EXPECT_EQ(bankgen::parse_preset_source(text, out), message) << text;
  }
}

TEST(BankCompiler, ValuesGoThroughTheParametersOwnConversions) {
  synth::ZindleDsp dsp;
  dsp.init();
  mppi::BankManager bank;
  const auto presets = sixty_four_with(
      "[Lead]\nVCF Freq = 506 Hz\nPortamento = 187.5 ms\nOsc Mode = Mono\nMix1Lvl = -6 dB\nVCO1 TuneC = +12\n");
  ASSERT_EQ(bankgen::compile_bank(presets, dsp, bank), "");
  ASSERT_EQ(bank.get_nbr_programs(), 64);
  const auto& values = bank.use_program(0).values;
  ASSERT_EQ(values.size(), 62u);
  EXPECT_NEAR(values[53], std::log(506.0 / 16.0) / std::log(1000.0), 1e-6);
  EXPECT_NEAR(values[12], 0.5, 1e-6);
  EXPECT_EQ(values[20], 1.0f);
  EXPECT_NEAR(values[50], std::log(7.0 * std::pow(10.0, -6.0 / 20.0) + 1.0) / std::log(8.0), 1e-5);
  EXPECT_NEAR(values[33], 48.0 / 72.0, 1e-6);
  // Untouched parameters keep their initial values.
  EXPECT_EQ(bank.use_program(1).values[53], dsp.get_param(53)->nrm());
  EXPECT_EQ(bank.use_program(63).name, "P63");
}

TEST(BankCompiler, RefusesUnknownNamesBadValuesAndWrongCounts) {
  synth::ZindleDsp dsp;
  dsp.init();
  mppi::BankManager bank;
  EXPECT_EQ(bankgen::compile_bank(sixty_four_with("[X]\nVCF Frequency = 1\n"), dsp, bank),
            "line 2: no parameter is named 'VCF Frequency'");
  EXPECT_EQ(bankgen::compile_bank(sixty_four_with("[X]\nOsc Mode = Triple\n"), dsp, bank),
            "line 2: 'Triple' is not a value of 'Osc Mode'");
  EXPECT_EQ(bankgen::compile_bank(sixty_four_with("[P1]\n"), dsp, bank), "line 2: program name 'P1' is used twice");
  std::vector<PresetSource> few(3);
  EXPECT_EQ(bankgen::compile_bank(few, dsp, bank), "expected 64 programs, found 3");
}

TEST(BuiltinBanks, BothResourcesLoadSixtyFourProgramsOfSixtyTwoValues) {
  synth::register_builtin_banks();
  for (const char* name : {"static_presets", "DEFAULT_PRESET_BANK"}) {
    mppi::BankManager bank;
    ASSERT_EQ(mppi::load_bank_resource(name, bank), 0) << name;
    ASSERT_EQ(bank.get_nbr_programs(), 64);
    EXPECT_EQ(bank.use_program(0).name, "80sBass");
    EXPECT_EQ(bank.use_program(1).name, "80s Sequence");
    EXPECT_EQ(bank.use_program(2).name, "AcademicLead");
    EXPECT_EQ(bank.get_size(), 20744);
    for (int p = 0; p < 64; ++p) {
      ASSERT_EQ(bank.use_program(p).values.size(), 62u);
      EXPECT_LE(bank.use_program(p).name.size(), 22u);
      for (float v : bank.use_program(p).values) EXPECT_TRUE(v >= 0.0f && v <= 1.0f);
    }
  }
  mppi::BankManager untouched;
  EXPECT_EQ(mppi::load_bank_resource("NO_SUCH_BANK", untouched), -1);
  EXPECT_EQ(untouched.get_nbr_programs(), 1);
}
