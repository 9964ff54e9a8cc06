#pragma once
// Glyph extents read from the marker row under a font strip.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/font.h"

namespace pengui {

// A font strip holds one glyph per 8-bit character code.
constexpr std::size_t kGlyphCount = 256;

// Walks `count` marker values, `stride` bytes apart, from the left: each
// change of value closes the current glyph and opens the next, and the last
// run closes the last glyph.
std::vector<Glyph> glyphs_from_marker_row(const uint8_t* row, int count, int stride);

}  // namespace pengui
