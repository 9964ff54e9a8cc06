#pragma once
// The bank: an ordered list of programs, never empty.
//
// Body layout (big-endian): program count N u32, record size R u32, then N
// records of R bytes each. R is program 0's record size, so every program
// must have the same value count and extra length to be written.

#include <cstdint>
#include <vector>

#include "basic/serializable_interface.h"
#include "framework/core/program_slot.h"

namespace mppi {

class BankManager : public basic::SerializableInterface {
public:
  static constexpr int kHeaderSize = 8;

  BankManager() : programs_(1) {}
  ~BankManager() override = default;
  // Copies keep every program's attribute word.
  BankManager(const BankManager&) = default;
  BankManager(BankManager&&) = default;
  BankManager& operator=(const BankManager& other);
  BankManager& operator=(BankManager&& other) noexcept;

  int get_nbr_programs() const { return static_cast<int>(programs_.size()); }
  // No bounds check: callers keep `index` below get_nbr_programs().
  ProgramSlot& use_program(int index) { return programs_[static_cast<std::size_t>(index)]; }
  const ProgramSlot& use_program(int index) const {
    return programs_[static_cast<std::size_t>(index)];
  }
  // New programs are copies of `prototype`; surplus ones go from the end.
  // A bank keeps at least one program.
  void resize(int n, const ProgramSlot& prototype = ProgramSlot());

  // Refuses a body of no programs, a record size too small for a record
  // header, and data shorter than the headers claim; a refused read
  // changes nothing.
  int read(const uint8_t* data, int len) override;
  // Refuses programs of unequal record sizes.
  int write(uint8_t* data) const override;
  int get_size() const override;

private:
  std::vector<ProgramSlot> programs_;
};

}  // namespace mppi
