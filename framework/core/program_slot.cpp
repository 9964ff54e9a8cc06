#include "framework/core/program_slot.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/core/big_endian.h"

namespace mppi {

namespace {

std::string cut_name(const char* str, std::size_t max_len) {
  const std::size_t len = std::min(max_len, static_cast<std::size_t>(ProgramSlot::kNameSize - 1));
  return std::string(str, std::find(str, str + len, '\0'));
}

}  // namespace

ProgramSlot& ProgramSlot::operator=(const ProgramSlot& other) {
  if (this != &other) {
    values = other.values;
    extra = other.extra;
    name = other.name;
  }
  return *this;
}

ProgramSlot& ProgramSlot::operator=(ProgramSlot&& other) {
  if (this != &other) {
    values = std::move(other.values);
    extra = std::move(other.extra);
    name = std::move(other.name);
  }
  return *this;
}

void ProgramSlot::set_name(const std::string& new_name) {
  name = cut_name(new_name.c_str(), new_name.size());
}

int ProgramSlot::get_size() const {
  return kHeaderSize + kNameSize + 4 * static_cast<int>(values.size()) +
         static_cast<int>(extra.size());
}

int ProgramSlot::write(uint8_t* data) const {
  if (values.size() > 0xFFFF) return -1;
  write_be32(data, attribute);
  write_be16(data + 4, kNameSize);
  write_be16(data + 6, static_cast<uint16_t>(values.size()));
  write_be32(data + 8, static_cast<uint32_t>(extra.size()));
  uint8_t* p = data + kHeaderSize;
  std::memset(p, 0, kNameSize);
  const std::size_t name_len = std::min(name.size(), static_cast<std::size_t>(kNameSize - 1));
  std::memcpy(p, name.data(), name_len);
  p += kNameSize;
  for (float v : values) {
    write_be_float(p, v);
    p += 4;
  }
  if (!extra.empty()) std::memcpy(p, extra.data(), extra.size());
  return 0;
}

int ProgramSlot::read(const uint8_t* data, int len) {
  if (len < kHeaderSize) return -1;
  const std::size_t name_len = read_be16(data + 4);
  const std::size_t nbr_values = read_be16(data + 6);
  const std::size_t nbr_extra = read_be32(data + 8);
  const std::size_t values_pos = kHeaderSize + name_len;
  const std::size_t extra_pos = values_pos + 4 * nbr_values;
  if (extra_pos > static_cast<std::size_t>(len) ||
      nbr_extra > static_cast<std::size_t>(len) - extra_pos) {
    return -1;
  }

  std::vector<float> new_values(nbr_values);
  for (std::size_t i = 0; i < nbr_values; ++i) {
    const float v = read_be_float(data + values_pos + 4 * i);
    if (std::isnan(v)) return -1;
    new_values[i] = std::clamp(v, 0.0f, 1.0f);
  }
  const auto* name_field = reinterpret_cast<const char*>(data + kHeaderSize);
  name = cut_name(name_field, std::min(name_len, static_cast<std::size_t>(kNameSize)));
  attribute = read_be32(data);
  values = std::move(new_values);
  extra.assign(data + extra_pos, data + extra_pos + nbr_extra);
  return 0;
}

}  // namespace mppi
