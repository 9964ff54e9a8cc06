#pragma once
// One program: a name of up to 64 bytes, the normalized parameter values in
// internal index order, and opaque extra data.

#include <cstdint>
#include <string>
#include <vector>

namespace mppi {

class ProgramSlot {
public:
  static constexpr int kNameSize = 64;

  std::string name;
  std::vector<float> values;
  std::vector<uint8_t> extra;
};

}  // namespace mppi
