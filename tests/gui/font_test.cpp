// Font strips: glyph extents from the marker row, and glyph colouring.
#include <gtest/gtest.h>

#include "apic_bytes.h"
#include "gui/font_factory.h"
#include "gui/font_glyph_strip.h"

using apic_test::ApicFields;
using apic_test::filled;
using apic_test::kSentinel;
using pengui::RenderBuffer;

namespace {

std::unique_ptr<pengui::FontInterface> make(const ApicFields& s) {
  const std::vector<uint8_t> bytes = apic_test::apic_bytes(s);
  return pengui::FontFactory::create(bytes.data(), bytes.size());
}

}  // namespace

TEST(FontStrip, MarkerRowOfTheStoredFontGives256GlyphsCoveringTheStrip) {
  std::vector<int> widths(256, 8);
  for (int code = 32; code < 256; ++code) widths[static_cast<std::size_t>(code)] = 6 + code % 3 + (code < 134);  // 1926 in all
  for (bool multicolour : {false, true}) {
    ApicFields s = apic_test::font_strip(widths, 12, multicolour, [](int, int, int) { return 0; });
    if (multicolour) s.palette = {0, 0};
    ASSERT_EQ(s.width, 1926);
    const auto font = make(s);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->glyphs().size(), 256u);
    for (int code = 0, next = 0; code < 256; next += widths[static_cast<std::size_t>(code++)]) {
      EXPECT_EQ(font->glyphs()[static_cast<std::size_t>(code)].start, next) << code;
      EXPECT_EQ(font->glyphs()[static_cast<std::size_t>(code)].width, widths[static_cast<std::size_t>(code)]) << code;
    }
    EXPECT_EQ(font->text_width("A\x01"), widths[65] + 8);
  }
}

TEST(FontStrip, EachChangeOfValueClosesAGlyph) {
  struct Case {
    std::vector<uint8_t> row;
    int step;
    std::vector<std::pair<int, int>> glyphs;  // start, width
  } cases[] = {
      {{1, 2, 3, 3}, 1, {{0, 1}, {1, 1}, {2, 2}}},  // not only two alternating values
      {{5, 5, 5}, 1, {{0, 3}}},                     // the last run closes the last glyph
      {{4, 0, 4, 9, 6, 9}, 2, {{0, 2}, {2, 1}}},    // multicolour: only the index byte marks
      {{}, 1, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<int, int>> got;
    for (const auto& g : pengui::glyphs_from_marker_row(c.row.data(), static_cast<int>(c.row.size()) / c.step, c.step))
      got.emplace_back(g.start, g.width);
    EXPECT_EQ(got, c.glyphs);
  }
}

TEST(UnicolorFont, CoverageBlendsTheTextColourExactlyInsideTheClip) {
  // Glyph 'A' is 5 columns of coverage 0, 1, 128, 254, 255 over two rows.
  const uint8_t coverage[] = {0, 1, 128, 254, 255};
  std::vector<int> widths(256, 1);
  widths['A'] = 5;
  const auto font = make(apic_test::font_strip(widths, 2, false, [&](int code, int col, int) {
    return code == 'A' ? coverage[col] : 255;
  }));
  RenderBuffer b = filled(9, 5, 0x1180FF00u);
  font->draw_glyph(b, 2, 1, 'A', 0x0000FF80u, {0, 0, 9, 2});  // the clip cuts the second row
  // d = (r 128, g 255, b 0), k = (r 0, g 255, b 128): d + ((k - d) * c >> 8).
  const uint32_t want[] = {0x1180FF00u, 0x117FFF00u, 0x1140FF40u, 0x1101FF7Fu, 0x1100FF7Fu};
  for (int x = 0; x < 9; ++x) {
    const bool in = x >= 2 && x < 7;
    EXPECT_EQ(b.pixel(x, 1), in ? want[x - 2] : 0x1180FF00u) << x;
    EXPECT_EQ(b.pixel(x, 2), 0x1180FF00u) << x;
  }
}

TEST(MulticolorFont, PaletteColourBlendsByOpacity) {
  std::vector<int> widths(256, 1);
  widths['B'] = 3;
  ApicFields s = apic_test::font_strip(widths, 1, true, [](int code, int, int) { return code == 'B' ? 2 : 0; });
  s.palette = {0, 0, 0x00FF0080u};
  // Transparency of the three columns of 'B': opaque, half, clear.
  const uint8_t transparency[] = {0, 127, 255};
  for (int col = 0; col < 3; ++col) s.pixels[static_cast<std::size_t>('B' + col) * 2 + 1] = transparency[col];
  const auto font = make(s);
  RenderBuffer b = filled(3, 1, 0x00000000u);
  font->draw_glyph(b, 0, 0, 'B', 0x00FFFFFFu, b.bounds());  // its own colours: rgb unused
  EXPECT_EQ(b.pixel(0, 0), 0x00FE007Fu);  // factor 255: 255 * 255 >> 8 = 254
  EXPECT_EQ(b.pixel(1, 0), 0x007F0040u);  // factor 128
  EXPECT_EQ(b.pixel(2, 0), 0x00000000u);
}
