#pragma once
// Banks with recognisable contents for the bank tests.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"

namespace mppi_test {

inline mppi::BankManager make_bank(int nbr_programs, int nbr_values, int nbr_extra = 0) {
  mppi::BankManager bank;
  bank.resize(nbr_programs);
  for (int p = 0; p < nbr_programs; ++p) {
    mppi::ProgramSlot& prog = bank.use_program(p);
    prog.set_name("Prog " + std::to_string(p));
    prog.attribute = static_cast<uint32_t>(p * 3);
    prog.resize_values(nbr_values);
    for (int v = 0; v < nbr_values; ++v) {
      prog.values[static_cast<std::size_t>(v)] = static_cast<float>((p * 7 + v) % 17) / 16.0f;
    }
    prog.extra.assign(static_cast<std::size_t>(nbr_extra), static_cast<uint8_t>(p));
  }
  return bank;
}

inline std::vector<uint8_t> bytes_of(const mppi::BankManager& bank) {
  std::vector<uint8_t> out(static_cast<std::size_t>(bank.get_size()));
  bank.write(out.data());
  return out;
}

inline std::vector<uint8_t> envelope_of(const mppi::BankManager& bank) {
  const auto b = static_cast<uint32_t>(bank.get_size());
  std::vector<uint8_t> out(8 + static_cast<std::size_t>(b));
  const uint8_t header[8] = {'S', 'N', 'P', 'B', uint8_t(b >> 24), uint8_t(b >> 16),
                             uint8_t(b >> 8), uint8_t(b)};
  std::copy(header, header + 8, out.begin());
  bank.write(out.data() + 8);
  return out;
}

}  // namespace mppi_test
