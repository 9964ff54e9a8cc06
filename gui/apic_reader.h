#pragma once
// Reader of the "APIC" container that holds every picture and font of the
// editor: a header of little-endian 32-bit words, an optional palette and
// the pixel rows. The reader checks every offset and size against the
// resource length, so that nothing built from a checked view reads outside it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace pengui {

enum class ApicFormat {
  opaque8,         // palette index
  alpha8,          // palette index, alpha (0 = transparent); multicolour font: index, transparency
  opaque24,        // blue, green, red
  alpha24,         // blue, green, red, alpha
  unicolor_font,   // coverage byte
};

struct ApicView {
  ApicFormat format = ApicFormat::opaque8;
  int width = 0;
  int height = 0;
  int palette_count = 0;                    // 8-bit formats only
  const unsigned char* palette = nullptr;   // blue, green, red, unused per entry
  const unsigned char* pixels = nullptr;    // rows from the top, no padding
  std::size_t pixel_bytes = 0;              // width * height * bytes_per_pixel(format)

  // Palette as 0xUURRGGBB words; entries past the stored count are black, so
  // any index byte finds a colour.
  std::array<uint32_t, 256> palette_words() const;
};

int bytes_per_pixel(ApicFormat format);

// Largest width or height taken; larger sides are treated as damage.
constexpr int kApicMaxSide = 1 << 16;

// False (and `out` untouched) when the bytes are not a well-formed container:
// zero marker, header shorter than 36 bytes or longer than the data, an
// unknown kind and depth pair, a side that is not 1..kApicMaxSide, more than
// 256 palette entries, or a palette or pixel block that does not fit.
bool read_apic(const unsigned char* data, std::size_t size, ApicView& out);

}  // namespace pengui
