#pragma once
// Makes a font object from an "APIC" resource or from its bytes.

#include <cstddef>
#include <memory>

#include "gui/font.h"

namespace pengui {

class FontFactory {
public:
  // Looks the resource up by name (letter case does not matter). Null when
  // it is missing or rejected.
  static std::unique_ptr<FontInterface> create(const char* resource_name);
  // Null unless the bytes hold a unicolour strip (kind 2, 0 bits) or a
  // multicolour strip (kind 1, 8 bits) marking 256 glyphs.
  static std::unique_ptr<FontInterface> create(const unsigned char* data, std::size_t size);
};

}  // namespace pengui
