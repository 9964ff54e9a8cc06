#pragma once
// Big-endian fields of stored data (state chunks, bank files).

#include <cstdint>
#include <cstring>

namespace mppi {

inline uint32_t read_be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

inline uint16_t read_be16(const uint8_t* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline void write_be32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}

inline void write_be16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

inline float read_be_float(const uint8_t* p) {
  const uint32_t bits = read_be32(p);
  float f;
  std::memcpy(&f, &bits, sizeof(f));
  return f;
}

inline void write_be_float(uint8_t* p, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof(bits));
  write_be32(p, bits);
}

}  // namespace mppi
