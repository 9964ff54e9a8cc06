// The container reader and the factories: which bytes make a picture or a
// font; damaged or cut containers make neither.
#include <gtest/gtest.h>

#include "apic_bytes.h"
#include "gui/font_factory.h"
#include "gui/pic_data_factory.h"

using apic_test::apic_bytes;
using apic_test::ApicFields;

namespace {

// A valid 3 x 2 picture of the given kind and depth.
ApicFields picture(uint32_t kind, uint32_t bits) {
  ApicFields s;
  s.kind = kind, s.bits = bits, s.width = 3, s.height = 2;
  if (bits == 8) s.palette = {0x00102030u, 0x00405060u};
  const int bpp = (bits == 8 ? 1 : 3) + (kind == 1 ? 1 : 0);
  s.pixels.assign(static_cast<std::size_t>(3 * 2 * bpp), 1);
  return s;
}

std::unique_ptr<pengui::PicDataInterface> make_picture(const ApicFields& s) {
  const std::vector<uint8_t> bytes = apic_bytes(s);
  return pengui::PicDataFactory::create(bytes.data(), bytes.size());
}

// A unicolour strip of `count` glyphs, 3 columns each.
ApicFields unicolour_font(int count = 256) {
  return apic_test::font_strip(std::vector<int>(static_cast<std::size_t>(count), 3), 4, false,
                               [](int code, int col, int row) { return (code + col + row) % 3 == 0 ? 200 : 0; });
}

}  // namespace

TEST(ApicReader, RejectsDamagedHeaders) {
  const std::pair<const char*, void (*)(ApicFields&)> cases[] = {
      {"header of 32 bytes", [](ApicFields& s) { s.header_word = 32; }},
      {"header longer than the data", [](ApicFields& s) { s.header_word = 4096; }},
      {"zero marker", [](ApicFields& s) { s.marker = 0; }},
      {"palette of 257", [](ApicFields& s) { s.palette_count = 257; }},
      {"kind 2 for a picture", [](ApicFields& s) { s.kind = 2; }},
      {"16 bits", [](ApicFields& s) { s.bits = 16; }},
      {"negative width", [](ApicFields& s) { s.width = -3; }},
      {"zero width", [](ApicFields& s) { s.width = 0; }},
      {"side over 65536", [](ApicFields& s) { s.width = 65537; }},
      {"pixel offset past the end", [](ApicFields& s) { s.pixel_offset = 1000; }},
      {"pixel offset wrapping round 2^32", [](ApicFields& s) { s.pixel_offset = 0xFFFFFFFCll; }},
      {"palette reaching past the end", [](ApicFields& s) { s.palette_offset = 44; }},
      {"more rows than pixel data", [](ApicFields& s) { s.height = 3; }},
  };
  ApicFields long_header = picture(0, 8);
  long_header.header_size = 64;
  ASSERT_NE(make_picture(long_header), nullptr);
  for (const auto& [what, damage] : cases) {
    ApicFields s = picture(0, 8);
    damage(s);
    EXPECT_EQ(make_picture(s), nullptr) << what;
  }
  // Every shorter prefix of a good picture is refused.
  for (const ApicFields& s : {picture(1, 8), picture(1, 24)}) {
    const std::vector<uint8_t> bytes = apic_bytes(s);
    ASSERT_NE(pengui::PicDataFactory::create(bytes.data(), bytes.size()), nullptr);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
      const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));  // no slack to over-read
      EXPECT_EQ(pengui::PicDataFactory::create(prefix.data(), n), nullptr) << n;
    }
  }
  EXPECT_EQ(pengui::PicDataFactory::create(nullptr, 100), nullptr);
}

TEST(ApicReader, FontFactoryTakesOnlyFontStrips) {
  struct Case { const char* what; ApicFields fields; bool accepted; };
  ApicFields multicolour = apic_test::font_strip(std::vector<int>(256, 8), 4, true, [](int, int, int) { return 1; });
  multicolour.palette = {0x00FF0000u, 0x0000FF00u};
  const Case cases[] = {
      {"unicolour strip", unicolour_font(), true},
      {"multicolour strip", multicolour, true},
      {"opaque 8-bit picture", picture(0, 8), false},
      {"alpha 24-bit picture", picture(1, 24), false},
      {"strip of 255 glyphs", unicolour_font(255), false},
      {"strip of 257 glyphs", unicolour_font(257), false},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes = apic_bytes(c.fields);
    EXPECT_EQ(pengui::FontFactory::create(bytes.data(), bytes.size()) != nullptr, c.accepted) << c.what;
  }
  // The picture factory does not take a unicolour strip.
  EXPECT_EQ(make_picture(unicolour_font()), nullptr);
}
