#pragma once
// The editor's bitmap font: 256 glyphs of the pinned font side by side in
// one strip, in Windows-1252 code order, with a marker row at the bottom
// whose alternating runs give each glyph's extent.

#include <cstdint>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace artgen {

struct FontStripLayout {
  double size = 10;       // pixel size at 1x
  int rows = 12;          // glyph rows above the marker row at 1x
  int baseline = 9;       // baseline row at 1x, counted from the top
  int strip_width = 0;    // wanted sum of the 1x widths, 0 to keep natural widths
  int empty_width = 8;    // control codes and codes without a character
};

struct FontStrip {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // width * height bytes, the marker row last
  std::vector<int> widths;        // 256 glyph widths
};

// Glyph widths at 1x: the hinted advances, then spread by one pixel at a
// time over the printable glyphs until they add up to strip_width.
std::vector<int> font_strip_widths(FT_Face face, const FontStripLayout& layout);

// The strip at `scale` (1 or 2) for the given 1x widths; at 2x every width
// and the height are doubled.
FontStrip render_font_strip(FT_Face face, const FontStripLayout& layout, const std::vector<int>& widths_1x, int scale);

// The Unicode character of an 8-bit code, 0 for control codes and the
// five codes Windows-1252 leaves undefined.
uint32_t cp1252_to_unicode(int code);

}  // namespace artgen
