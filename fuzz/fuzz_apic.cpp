// Arbitrary bytes as an "APIC" resource, read as a picture and as a font:
// never a read outside the bytes, and every draw stays inside its clip.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/canvas.h"
#include "gui/font_factory.h"
#include "gui/pic_data_alpha.h"
#include "gui/pic_data_factory.h"

namespace {

constexpr uint32_t kSentinel = 0x5A123456u;
constexpr int kBufferWidth = 24;
constexpr int kBufferHeight = 16;

pengui::RenderBuffer sentinel_buffer() {
  pengui::RenderBuffer b(kBufferWidth, kBufferHeight);
  for (int y = 0; y < kBufferHeight; ++y) {
    for (int x = 0; x < kBufferWidth; ++x) b.row(y)[x] = kSentinel;
  }
  return b;
}

void check_outside_untouched(const pengui::RenderBuffer& b, const pengui::Rect& clip) {
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      if (!clip.contains({x, y}) && b.pixel(x, y) != kSentinel) std::abort();
    }
  }
}

void exercise_picture(const pengui::PicDataInterface& pic) {
  const int w = pic.width();
  const int h = pic.height();
  if (w < 1 || h < 1) std::abort();
  const pengui::Rect clip{3, 2, 15, 10};
  const pengui::Point places[] = {{0, 0}, {-w / 2, -h / 2}, {20, 12}, {5, 3}, {-w, 0}};
  pengui::RenderBuffer b = sentinel_buffer();
  for (const pengui::Point& p : places) {
    pic.draw(b, p.x, p.y, clip);
    pic.draw_multiplied(b, p.x, p.y, clip);
    pic.draw_part(b, {w / 3, h / 3, w / 2 + 1, h / 2 + 1}, p.x, p.y, clip);
    pic.draw_part_enlarged(b, {-1, -1, w + 2, h + 2}, p.x, p.y, 2, clip);
    if (const auto* mask = dynamic_cast<const pengui::AlphaMaskInterface*>(&pic)) {
      mask->draw_tinted(b, p.x, p.y, 0x00FF00FFu, clip);
      if (mask->alpha_at(p.x, p.y) < 0 || mask->alpha_at(p.x, p.y) > 255) std::abort();
    }
  }
  check_outside_untouched(b, clip);

  std::vector<int32_t> acc(kBufferWidth * kBufferHeight * 4, 0);
  pic.accumulate(acc.data(), kBufferWidth, kBufferHeight, -1, -1);
  std::vector<uint32_t> exported(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), kSentinel);
  pic.export_to(exported.data());
  for (uint32_t c : exported) {
    if (c > 0x00FFFFFFu) std::abort();
  }
}

void exercise_font(std::unique_ptr<pengui::FontInterface> font) {
  if (font->glyphs().size() != 256) std::abort();
  int next = 0;
  for (const pengui::Glyph& g : font->glyphs()) {
    if (g.start != next || g.width < 1) std::abort();
    next += g.width;
  }
  std::string all_codes;
  for (int c = 0; c < 256; ++c) all_codes += static_cast<char>(c);

  pengui::FontSet set;
  set.x1 = std::move(font);
  for (int scale : {1, 2}) {
    pengui::RenderBuffer b = sentinel_buffer();
    const pengui::Rect logical_clip{1, 1, 10, 6};
    pengui::Canvas canvas(b, scale, logical_clip);
    canvas.draw_text(set, -3, 0, all_codes, 0x00FFFFFFu);
    canvas.draw_text_in(set, {2, 2, 6, 3}, "Zindle", 0x00808080u, pengui::Align::center);
    check_outside_untouched(b, logical_clip.scaled(scale));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  // An exact-size copy, so that the address sanitizer sees any read past the end.
  const std::vector<uint8_t> bytes(data, data + size);
  if (auto pic = pengui::PicDataFactory::create(bytes.data(), bytes.size())) exercise_picture(*pic);
  if (auto font = pengui::FontFactory::create(bytes.data(), bytes.size())) exercise_font(std::move(font));
  return 0;
}
