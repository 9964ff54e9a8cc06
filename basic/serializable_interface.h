#pragma once
// An object with one byte layout, used for state chunks, bank files and
// built-in banks.

#include <cstdint>

namespace basic {

class SerializableInterface {
public:
  virtual ~SerializableInterface() = default;
  // Reads the layout from the `len` bytes at `data` as its headers describe
  // it; 0 on success. Data shorter than the headers claim is refused.
  virtual int read(const uint8_t* data, int len) = 0;
  // Writes get_size() bytes to `data`; 0 on success.
  virtual int write(uint8_t* data) const = 0;
  virtual int get_size() const = 0;
};

}  // namespace basic
