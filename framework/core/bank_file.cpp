#include "framework/core/bank_file.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/core/big_endian.h"

namespace mppi {

namespace {

constexpr char kMagic[4] = {'S', 'N', 'P', 'B'};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

int parse_body(const uint8_t* body, int size, BankManager& target,
               const BankValidatorInterface* validator, bool strict) {
  BankManager loaded;
  if (loaded.read(body, size) != 0) return kBankBodyRead;
  if (validator != nullptr && !validator->check(loaded)) return kBankRefused;
  if (strict) {
    if (loaded.get_nbr_programs() != target.get_nbr_programs()) return kBankStrictCount;
    for (int i = 0; i < loaded.get_nbr_programs(); ++i) {
      if (loaded.use_program(i).values.size() != target.use_program(i).values.size()) {
        return kBankStrictValues;
      }
    }
  }
  target = std::move(loaded);
  return kBankOk;
}

// Bytes left from the current position, or -1 when the file can't tell.
long remaining_bytes(std::FILE* f) {
  const long pos = std::ftell(f);
  if (pos < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(f);
  if (end < 0 || std::fseek(f, pos, SEEK_SET) != 0) return -1;
  return end - pos;
}

}  // namespace

int load_bank_memory(const uint8_t* data, int size, BankManager& target,
                     const BankValidatorInterface* validator, bool strict) {
  if (data == nullptr || size < kBankEnvelopeSize) return kBankHeaderRead;
  if (std::memcmp(data, kMagic, sizeof(kMagic)) != 0) return kBankBadMagic;
  return parse_body(data + kBankEnvelopeSize, size - kBankEnvelopeSize, target, validator,
                    strict);
}

int load_bank_file(const std::string& path, BankManager& target,
                   const BankValidatorInterface* validator, bool strict) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) return kBankCantOpen;
  uint8_t header[kBankEnvelopeSize];
  if (std::fread(header, 1, sizeof(header), file.get()) != sizeof(header)) {
    return kBankHeaderRead;
  }
  if (std::memcmp(header, kMagic, sizeof(kMagic)) != 0) return kBankBadMagic;
  const uint32_t body_size = read_be32(header + 4);
  // Never trust the length field with an allocation the file can't fill.
  const long left = remaining_bytes(file.get());
  if (left < 0 || static_cast<uint64_t>(left) < body_size || body_size > 0x7FFFFFFFu) {
    return kBankBodyReadShort;
  }
  std::vector<uint8_t> body(body_size);
  if (std::fread(body.data(), 1, body.size(), file.get()) != body.size()) {
    return kBankBodyReadShort;
  }
  return parse_body(body.data(), static_cast<int>(body.size()), target, validator, strict);
}

int save_bank_file(const std::string& path, const BankManager& bank) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file) return kBankCantOpen;
  const int body_size = bank.get_size();
  uint8_t header[kBankEnvelopeSize];
  std::memcpy(header, kMagic, sizeof(kMagic));
  write_be32(header + 4, static_cast<uint32_t>(body_size));
  if (std::fwrite(header, 1, sizeof(header), file.get()) != sizeof(header)) {
    return kBankHeaderWrite;
  }
  std::vector<uint8_t> body(static_cast<std::size_t>(body_size));
  if (bank.write(body.data()) != 0) return kBankBodyWrite;
  if (std::fwrite(body.data(), 1, body.size(), file.get()) != body.size()) {
    return kBankBodyWriteShort;
  }
  if (std::fclose(file.release()) != 0) return kBankBodyWriteShort;
  return kBankOk;
}

}  // namespace mppi
