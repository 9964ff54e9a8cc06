#include "tools/bankgen/bank_compiler.h"

#include <memory>

#include "framework/params/normalized_param_interface.h"
#include "synth/params/param_classes.h"

namespace bankgen {
namespace {

std::string at_line(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

}  // namespace

std::string compile_bank(const std::vector<PresetSource>& presets, mppi::BankManager& bank) {
  if (static_cast<int>(presets.size()) != kProgramsPerBank)
    return "expected " + std::to_string(kProgramsPerBank) + " programs, found " + std::to_string(presets.size());
  std::shared_ptr<mppi::NormalizedParamInterface> params[synth::kNbrParams];
  mppi::ProgramSlot initial;
  initial.resize_values(synth::kNbrParams);
  for (int i = 0; i < synth::kNbrParams; ++i) {
    params[i] = synth::create_param(synth::param_id(i));
    initial.values[static_cast<size_t>(i)] = params[i]->nrm();
  }

  bank.resize(kProgramsPerBank, initial);
  for (int k = 0; k < kProgramsPerBank; ++k) {
    const PresetSource& source = presets[static_cast<size_t>(k)];
    for (int j = 0; j < k; ++j) {
      if (presets[static_cast<size_t>(j)].name == source.name)
        return at_line(source.line, "program name '" + source.name + "' is used twice");
    }
    mppi::ProgramSlot program = initial;
    program.set_name(source.name);
    for (const PresetSetting& setting : source.settings) {
      const int index = synth::find_param_index(setting.param.c_str());
      if (index < 0) return at_line(setting.line, "no parameter is named '" + setting.param + "'");
      mppi::NormalizedParamInterface& p = *params[index];
      bool ok = false;
      const double value = p.conv_str_to_val(setting.value.c_str(), &ok);
      if (!ok) return at_line(setting.line, "'" + setting.value + "' is not a value of '" + setting.param + "'");
      const float nrm = p.conv_val_to_nrm(value);
      if (!(nrm >= 0.0f && nrm <= 1.0f))
        return at_line(setting.line, "'" + setting.value + "' is outside the range of '" + setting.param + "'");
      program.values[static_cast<size_t>(index)] = nrm;
    }
    bank.use_program(k) = program;
  }
  return {};
}

std::string bank_image(const mppi::BankManager& bank, std::vector<uint8_t>& image) {
  const int size = bank.get_size();
  image.assign(8 + static_cast<size_t>(size), 0);
  image[0] = 'S';
  image[1] = 'N';
  image[2] = 'P';
  image[3] = 'B';
  for (int b = 0; b < 4; ++b) image[4 + static_cast<size_t>(b)] = static_cast<uint8_t>(static_cast<uint32_t>(size) >> (24 - 8 * b));
  if (bank.write(image.data() + 8) != 0) return "the bank refused to write itself";
  return {};
}

}  // namespace bankgen
