#pragma once
// Deterministic reduction of a picture to at most 256 colours: exact when
// the picture has few colours, median cut weighted by coverage otherwise.
// Same input, same palette and indexes, on every machine.

#include <cstdint>
#include <vector>

#include "tools/artgen/raster.h"

namespace artgen {

struct IndexedPicture {
  std::vector<uint32_t> palette;  // 0xRRGGBB
  std::vector<uint8_t> indexes;   // one per pixel
};

// Pixels with alpha 0 take index 0 and do not count; the others count by
// their alpha, so faint edge pixels do not pull the palette.
IndexedPicture quantize(const Raster& picture, int max_colours = 256);

// The picture as the 8-bit container stores it: each colour replaced by its
// palette entry, alpha kept. For previews.
Raster as_stored(const Raster& picture);

}  // namespace artgen
