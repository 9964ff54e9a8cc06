#pragma once
// One program: the normalized parameter values in internal index order,
// opaque extra data, a name of at most 63 characters and an attribute word
// that is carried along unread.
//
// Record layout (big-endian): attribute u32, name field length u16 (64),
// value count u16, extra length u32, name field, values as floats, extra.

#include <cstdint>
#include <string>
#include <vector>

#include "basic/serializable_interface.h"

namespace mppi {

class ProgramSlot : public basic::SerializableInterface {
public:
  static constexpr int kNameSize = 64;
  static constexpr int kHeaderSize = 12;

  ProgramSlot() = default;
  ~ProgramSlot() override = default;
  ProgramSlot(const ProgramSlot&) = default;
  ProgramSlot(ProgramSlot&&) = default;
  // Applying a program copies sound and name; the attribute stays.
  ProgramSlot& operator=(const ProgramSlot& other);
  ProgramSlot& operator=(ProgramSlot&& other);

  void set_name(const std::string& new_name);  // cut to 63 characters
  void resize_values(int n) { values.resize(static_cast<std::size_t>(n), 0.0f); }

  // Refuses a record longer than `len`, a value count past 65535 on
  // writing, and a stored value that is not a number; clamps the others
  // into 0..1. A refused read changes nothing.
  int read(const uint8_t* data, int len) override;
  int write(uint8_t* data) const override;
  int get_size() const override;

  std::vector<float> values;
  std::vector<uint8_t> extra;
  std::string name = "Default";
  uint32_t attribute = 0;
};

}  // namespace mppi
