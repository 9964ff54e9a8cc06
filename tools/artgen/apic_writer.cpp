#include "tools/artgen/apic_writer.h"

#include <stdexcept>

#include "tools/artgen/palette_quantizer.h"

namespace artgen {
namespace {

constexpr uint32_t kHeaderSize = 36;
constexpr uint32_t kPictureMarker = 0xFFFFFFFFu;
constexpr uint32_t kFontMarker = 1;

void put_word(std::vector<uint8_t>& out, uint32_t word) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(word >> (8 * i)));
}

struct Header {
  uint32_t marker, kind, bits, width, height, palette_count, pixel_offset, palette_offset;
};

void put_header(std::vector<uint8_t>& out, const Header& h) {
  put_word(out, h.marker);
  put_word(out, kHeaderSize);
  put_word(out, h.kind);
  put_word(out, h.bits);
  put_word(out, h.width);
  put_word(out, h.height);
  put_word(out, h.palette_count);
  put_word(out, h.pixel_offset);
  put_word(out, h.palette_offset);
}

std::vector<uint8_t> paletted(const Raster& picture, uint32_t kind) {
  if (picture.width <= 0 || picture.height <= 0) throw std::runtime_error("empty picture");
  const IndexedPicture indexed = quantize(picture);
  const uint32_t count = uint32_t(indexed.palette.size());
  Header h{kPictureMarker, kind, 8, uint32_t(picture.width), uint32_t(picture.height), count,
           kHeaderSize + 4 * count, kHeaderSize};
  std::vector<uint8_t> out;
  put_header(out, h);
  for (uint32_t rgb : indexed.palette) put_word(out, rgb & 0xFFFFFFu);  // b, g, r, 0 in memory
  for (size_t i = 0; i < indexed.indexes.size(); ++i) {
    out.push_back(indexed.indexes[i]);
    if (kind == 1) out.push_back(picture.pixels[i].a);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> apic_opaque8(const Raster& picture) {
  Raster opaque = picture;
  for (Rgba& p : opaque.pixels) p.a = 255;
  return paletted(opaque, 0);
}

std::vector<uint8_t> apic_alpha8(const Raster& picture) { return paletted(picture, 1); }

std::vector<uint8_t> apic_unicolour_font(int width, int height, const std::vector<uint8_t>& coverage) {
  if (width <= 0 || height <= 0 || coverage.size() != size_t(width) * size_t(height))
    throw std::runtime_error("font strip size does not match its coverage");
  std::vector<uint8_t> out;
  put_header(out, Header{kFontMarker, 2, 0, uint32_t(width), uint32_t(height), 0, kHeaderSize, 0});
  out.insert(out.end(), coverage.begin(), coverage.end());
  return out;
}

}  // namespace artgen
