#include "framework/core/bank_manager.h"

#include <utility>

#include "framework/core/big_endian.h"

namespace mppi {

BankManager& BankManager::operator=(const BankManager& other) {
  // Copy-construct rather than assign the programs: assignment of a
  // ProgramSlot leaves its attribute.
  if (this != &other) {
    std::vector<ProgramSlot> copy(other.programs_);
    programs_.swap(copy);
  }
  return *this;
}

BankManager& BankManager::operator=(BankManager&& other) noexcept {
  programs_.swap(other.programs_);
  return *this;
}

void BankManager::resize(int n, const ProgramSlot& prototype) {
  const std::size_t count = static_cast<std::size_t>(n < 1 ? 1 : n);
  if (count < programs_.size()) {
    programs_.erase(programs_.begin() + static_cast<std::ptrdiff_t>(count), programs_.end());
  } else {
    programs_.reserve(count);
    while (programs_.size() < count) programs_.push_back(prototype);
  }
}

int BankManager::get_size() const {
  return get_nbr_programs() * programs_.front().get_size() + kHeaderSize;
}

int BankManager::write(uint8_t* data) const {
  const int record_size = programs_.front().get_size();
  for (const ProgramSlot& program : programs_) {
    if (program.get_size() != record_size) return -1;
  }
  write_be32(data, static_cast<uint32_t>(programs_.size()));
  write_be32(data + 4, static_cast<uint32_t>(record_size));
  uint8_t* p = data + kHeaderSize;
  for (const ProgramSlot& program : programs_) {
    if (program.write(p) != 0) return -1;
    p += record_size;
  }
  return 0;
}

int BankManager::read(const uint8_t* data, int len) {
  if (data == nullptr || len < kHeaderSize) return -1;
  const uint64_t nbr_programs = read_be32(data);
  const uint64_t record_size = read_be32(data + 4);
  if (nbr_programs == 0 || record_size < ProgramSlot::kHeaderSize) return -1;
  if (nbr_programs * record_size > static_cast<uint64_t>(len - kHeaderSize)) return -1;

  std::vector<ProgramSlot> loaded(static_cast<std::size_t>(nbr_programs));
  const uint8_t* p = data + kHeaderSize;
  for (ProgramSlot& program : loaded) {
    if (program.read(p, static_cast<int>(record_size)) != 0) return -1;
    p += record_size;
  }
  programs_.swap(loaded);
  return 0;
}

}  // namespace mppi
