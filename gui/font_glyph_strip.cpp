#include "gui/font_glyph_strip.h"

namespace pengui {

std::vector<Glyph> glyphs_from_marker_row(const uint8_t* row, int count, int stride) {
  std::vector<Glyph> glyphs;
  if (!row || count <= 0 || stride <= 0) return glyphs;
  int start = 0;
  for (int x = 1; x < count; ++x) {
    if (row[x * stride] != row[(x - 1) * stride]) {
      glyphs.push_back({start, x - start});
      start = x;
    }
  }
  glyphs.push_back({start, count - start});
  return glyphs;
}

}  // namespace pengui
