#pragma once
// Bank files and bank images in memory: the four bytes "SNPB", the body
// length B (big-endian u32), then the bank body. Every failure leaves the
// target bank as it was.

#include <cstdint>
#include <string>

#include "framework/core/bank_manager.h"
#include "framework/core/bank_validator_interface.h"

namespace mppi {

enum BankFileResult : int {
  kBankOk = 0,
  kBankCantOpen = -1002,
  kBankHeaderWrite = -1004,
  kBankHeaderRead = -1005,
  kBankBodyWrite = -1006,      // the bank refused to write itself
  kBankBodyRead = -1007,       // the body does not hold a bank
  kBankBodyWriteShort = -1008,
  kBankBodyReadShort = -1009,
  kBankBadMagic = -1010,
  kBankStrictCount = -1011,    // strict: another number of programs
  kBankStrictValues = -1012,   // strict: a program with another value count
  kBankRefused = -1013,        // the validator said no
};

constexpr int kBankEnvelopeSize = 8;

// `size` bytes at `data` holding a whole envelope; the length field is not
// used, the body runs to the end of the data.
int load_bank_memory(const uint8_t* data, int size, BankManager& target,
                     const BankValidatorInterface* validator, bool strict);
int load_bank_file(const std::string& path, BankManager& target,
                   const BankValidatorInterface* validator, bool strict);
// A failed save may leave a partly written file.
int save_bank_file(const std::string& path, const BankManager& bank);

}  // namespace mppi
