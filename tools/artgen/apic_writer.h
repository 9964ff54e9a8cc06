#pragma once
// Writes the "APIC" resource container: a header of nine little-endian
// 32-bit words, then the palette (blue, green, red, 0) and the pixel rows.

#include <cstdint>
#include <vector>

#include "tools/artgen/raster.h"

namespace artgen {

// Opaque picture (kind 0), 8-bit palette indexes; alpha is ignored.
std::vector<uint8_t> apic_opaque8(const Raster& picture);
// Picture with alpha (kind 1), 8 bits: palette index then alpha per pixel.
std::vector<uint8_t> apic_alpha8(const Raster& picture);
// Unicolour font strip (kind 2, 0 bits): one coverage byte per pixel.
std::vector<uint8_t> apic_unicolour_font(int width, int height, const std::vector<uint8_t>& coverage);

}  // namespace artgen
