#pragma once
// Turns parsed presets into a bank of normalized values, each setting read
// by its parameter's own text parser and converted with conv_val_to_nrm.
// The parameters are made from the synth's parameter table.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"
#include "tools/bankgen/preset_source.h"

namespace bankgen {

constexpr int kProgramsPerBank = 64;

// Programs start from the parameters' initial values. Returns an empty
// string, or "line N: ..." naming the first bad setting.
std::string compile_bank(const std::vector<PresetSource>& presets, mppi::BankManager& bank);

// The SNPB image of a bank: "SNPB", body length, body.
std::string bank_image(const mppi::BankManager& bank, std::vector<uint8_t>& image);

}  // namespace bankgen
