// Arbitrary bytes as a state chunk (bank or program) and as a bank image:
// never a crash, and a refused input leaves the bank byte-identical.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/bank_file.h"
#include "framework/core/chunk_storage.h"

namespace {

mppi::BankManager make_start_bank() {
  mppi::BankManager bank;
  bank.resize(4);
  for (int p = 0; p < 4; ++p) {
    bank.use_program(p).resize_values(62);
    bank.use_program(p).values[static_cast<std::size_t>(p)] = 0.5f;
  }
  return bank;
}

std::vector<uint8_t> bytes_of(const mppi::BankManager& bank) {
  std::vector<uint8_t> out(static_cast<std::size_t>(bank.get_size()));
  if (bank.write(out.data()) != 0) std::abort();
  return out;
}

void check_values(const mppi::BankManager& bank) {
  for (int p = 0; p < bank.get_nbr_programs(); ++p) {
    for (float v : bank.use_program(p).values) {
      if (!(v >= 0.0f && v <= 1.0f)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  const int len = static_cast<int>(size);
  const mppi::BankManager start = make_start_bank();
  const std::vector<uint8_t> before = bytes_of(start);

  for (const bool is_preset : {false, true}) {
    mppi::BankManager bank = start;
    int cur = 1;
    const int answer = mppi::set_chunk(bank, cur, nullptr, data, len, is_preset);
    if (answer == 0 && bytes_of(bank) != before) std::abort();
    if (answer == 1) {
      check_values(bank);
      if (cur < 0 || cur >= bank.get_nbr_programs()) std::abort();
      // A bank read from a chunk writes back and reads the same again,
      // unless its records differ in size and it refuses to write.
      std::vector<uint8_t> chunk;
      if (mppi::get_chunk(bank, cur, nullptr, is_preset, chunk) > 0) {
        mppi::BankManager again = start;
        int cur2 = cur;
        if (mppi::set_chunk(again, cur2, nullptr, chunk.data(), static_cast<int>(chunk.size()),
                            is_preset) != 1) {
          std::abort();
        }
      }
    }
  }

  for (const bool strict : {false, true}) {
    mppi::BankManager bank = start;
    const int code = mppi::load_bank_memory(data, len, bank, nullptr, strict);
    if (code > 0) std::abort();
    if (code != 0 && bytes_of(bank) != before) std::abort();
    if (code == 0) check_values(bank);
  }
  return 0;
}
