#pragma once
// Builds "APIC" containers byte by byte for the picture and font tests:
// header, then palette, then pixels, unless a field is forced; and
// sentinel-filled buffers to draw them into.

#include <cstdint>
#include <vector>

#include "gui/render_buffer.h"

namespace apic_test {

// A value no draw produces by chance: pixels still holding it were not touched.
constexpr uint32_t kSentinel = 0x5A123456u;

inline pengui::RenderBuffer filled(int w, int h, uint32_t value) {
  pengui::RenderBuffer b(w, h);
  for (int i = 0; i < w * h; ++i) b.row(i / w)[i % w] = value;  // all four bytes, unlike fill()
  return b;
}

struct ApicFields {
  uint32_t marker = 0xFFFFFFFFu;
  uint32_t header_size = 36;  // bytes laid out before the palette, at least 36
  uint32_t kind = 0;
  uint32_t bits = 8;
  int32_t width = 1;
  int32_t height = 1;
  std::vector<uint32_t> palette;  // 0xUURRGGBB
  std::vector<uint8_t> pixels;
  // Forced header words; -1 keeps the value that matches the layout.
  int64_t header_word = -1;
  int64_t palette_count = -1;
  int64_t pixel_offset = -1;
  int64_t palette_offset = -1;
};

inline void put_word(std::vector<uint8_t>& out, uint32_t w) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(w >> (8 * i)));
}

inline std::vector<uint8_t> apic_bytes(const ApicFields& s) {
  const uint32_t header = s.header_size < 36 ? 36 : s.header_size;
  const uint32_t palette_at = header;
  const uint32_t pixels_at = palette_at + static_cast<uint32_t>(s.palette.size()) * 4;
  std::vector<uint8_t> out;
  put_word(out, s.marker);
  put_word(out, static_cast<uint32_t>(s.header_word >= 0 ? s.header_word : header));
  put_word(out, s.kind);
  put_word(out, s.bits);
  put_word(out, static_cast<uint32_t>(s.width));
  put_word(out, static_cast<uint32_t>(s.height));
  put_word(out, static_cast<uint32_t>(s.palette_count >= 0 ? s.palette_count : static_cast<int64_t>(s.palette.size())));
  put_word(out, static_cast<uint32_t>(s.pixel_offset >= 0 ? s.pixel_offset : pixels_at));
  put_word(out, static_cast<uint32_t>(s.palette_offset >= 0 ? s.palette_offset : palette_at));
  out.resize(header, 0);
  for (uint32_t c : s.palette) put_word(out, c);
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

// A unicolour (kind 2) or multicolour (kind 1, 8 bits) font strip: glyph
// `code` is widths[code] columns wide and filled with coverage
// `ink(code, column, row)`; the marker row alternates 0 and 1 per glyph.
template <class Ink>
ApicFields font_strip(const std::vector<int>& widths, int glyph_rows, bool multicolour, Ink ink) {
  int total = 0;
  for (int w : widths) total += w;
  ApicFields s;
  s.marker = 1, s.kind = multicolour ? 1 : 2, s.bits = multicolour ? 8 : 0, s.width = total, s.height = glyph_rows + 1;
  const int bpp = multicolour ? 2 : 1;
  s.pixels.assign(static_cast<std::size_t>(total) * (glyph_rows + 1) * bpp, 0);
  int start = 0;
  for (std::size_t code = 0; code < widths.size(); ++code) {
    for (int col = 0; col < widths[code]; ++col) {
      for (int row = 0; row <= glyph_rows; ++row) {
        const std::size_t at = (static_cast<std::size_t>(row) * total + start + col) * bpp;
        s.pixels[at] = row == glyph_rows ? static_cast<uint8_t>(code % 2)
                                         : static_cast<uint8_t>(ink(static_cast<int>(code), col, row));
      }
    }
    start += widths[code];
  }
  return s;
}

}  // namespace apic_test
