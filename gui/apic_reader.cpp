#include "gui/apic_reader.h"

namespace pengui {
namespace {

constexpr std::size_t kHeaderWords = 9;
constexpr std::size_t kMinHeaderBytes = kHeaderWords * 4;

uint32_t word_at(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

bool format_of(uint32_t kind, uint32_t bits, ApicFormat& out) {
  if (kind == 0 && bits == 8) out = ApicFormat::opaque8;
  else if (kind == 1 && bits == 8) out = ApicFormat::alpha8;
  else if (kind == 0 && bits == 24) out = ApicFormat::opaque24;
  else if (kind == 1 && bits == 24) out = ApicFormat::alpha24;
  else if (kind == 2 && bits == 0) out = ApicFormat::unicolor_font;
  else return false;
  return true;
}

bool is_palette_format(ApicFormat f) { return f == ApicFormat::opaque8 || f == ApicFormat::alpha8; }

// True when [offset, offset + length) lies inside a block of `size` bytes.
bool fits(uint64_t offset, uint64_t length, uint64_t size) { return offset <= size && length <= size - offset; }

}  // namespace

int bytes_per_pixel(ApicFormat format) {
  switch (format) {
    case ApicFormat::opaque8: return 1;
    case ApicFormat::alpha8: return 2;
    case ApicFormat::opaque24: return 3;
    case ApicFormat::alpha24: return 4;
    case ApicFormat::unicolor_font: return 1;
  }
  return 1;
}

std::array<uint32_t, 256> ApicView::palette_words() const {
  std::array<uint32_t, 256> words{};
  for (int i = 0; i < palette_count && palette; ++i) words[static_cast<std::size_t>(i)] = word_at(palette + 4 * i);
  return words;
}

bool read_apic(const unsigned char* data, std::size_t size, ApicView& out) {
  if (!data || size < kMinHeaderBytes) return false;
  const uint32_t marker = word_at(data);
  const uint32_t header_size = word_at(data + 4);
  const uint32_t kind = word_at(data + 8);
  const uint32_t bits = word_at(data + 12);
  const auto width = static_cast<int32_t>(word_at(data + 16));
  const auto height = static_cast<int32_t>(word_at(data + 20));
  const uint32_t palette_count = word_at(data + 24);
  const uint32_t pixel_offset = word_at(data + 28);
  const uint32_t palette_offset = word_at(data + 32);

  ApicView view;
  if (marker == 0 || header_size < kMinHeaderBytes || header_size > size) return false;
  if (!format_of(kind, bits, view.format)) return false;
  // One negative side is as broken as two: nothing sensible can be drawn.
  if (width < 1 || height < 1 || width > kApicMaxSide || height > kApicMaxSide) return false;
  view.width = width;
  view.height = height;

  if (is_palette_format(view.format)) {
    if (palette_count > 256) return false;
    if (!fits(palette_offset, uint64_t{palette_count} * 4, size)) return false;
    view.palette_count = static_cast<int>(palette_count);
    view.palette = palette_count > 0 ? data + palette_offset : nullptr;
  }

  const uint64_t pixel_bytes = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height) *
                               static_cast<uint64_t>(bytes_per_pixel(view.format));
  if (!fits(pixel_offset, pixel_bytes, size)) return false;
  view.pixels = data + pixel_offset;
  view.pixel_bytes = static_cast<std::size_t>(pixel_bytes);
  out = view;
  return true;
}

}  // namespace pengui
