#pragma once
// Makes a picture object from an "APIC" resource or from its bytes.

#include <cstddef>
#include <memory>

#include "gui/pic_data.h"

namespace pengui {

class PicDataFactory {
public:
  // Looks the resource up by name (letter case does not matter). Null when
  // it is missing or its header is rejected.
  static std::unique_ptr<PicDataInterface> create(const char* resource_name);
  // Null unless the bytes hold an opaque or alpha picture of 8 or 24 bits.
  // The picture keeps its own copy of the pixels.
  static std::unique_ptr<PicDataInterface> create(const unsigned char* data, std::size_t size);
};

}  // namespace pengui
