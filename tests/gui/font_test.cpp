// Font strips: glyph extents from the marker row, and glyph colouring.
#include <gtest/gtest.h>

#include <numeric>

#include "apic_bytes.h"
#include "gui/font_factory.h"
#include "gui/font_glyph_strip.h"

using apic_test::apic_bytes;
using apic_test::ApicFields;
using apic_test::filled;
using apic_test::kSentinel;
using pengui::RenderBuffer;

namespace {

std::unique_ptr<pengui::FontInterface> make(const ApicFields& s) {
  const std::vector<uint8_t> bytes = apic_bytes(s);
  auto font = pengui::FontFactory::create(bytes.data(), bytes.size());
  EXPECT_NE(font, nullptr);
  return font;
}

// Control codes 8 wide, then about 6 to 9: 1926 in all, as the
// stored font's strip.
std::vector<int> stored_font_widths() {
  std::vector<int> w(256, 8);
  for (int code = 32; code < 256; ++code) w[static_cast<std::size_t>(code)] = 6 + code % 3;
  const int missing = 1926 - std::accumulate(w.begin(), w.end(), 0);
  for (int i = 0; i < missing; ++i) w[static_cast<std::size_t>(32 + i)] += 1;
  return w;
}

}  // namespace

TEST(FontStrip, MarkerRowOfTheStoredFontGives256GlyphsCoveringTheStrip) {
  for (bool multicolour : {false, true}) {
    const std::vector<int> widths = stored_font_widths();
    ApicFields s = apic_test::font_strip(widths, 12, multicolour, [](int, int, int) { return 0; });
    if (multicolour) s.palette = {0, 0};
    ASSERT_EQ(s.width, 1926);
    const auto font = make(s);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->glyphs().size(), 256u);
    int next = 0;
    int total = 0;
    for (int code = 0; code < 256; ++code) {
      const pengui::Glyph& g = font->glyphs()[static_cast<std::size_t>(code)];
      EXPECT_EQ(g.start, next) << code;
      EXPECT_EQ(g.width, widths[static_cast<std::size_t>(code)]) << code;
      next = g.start + g.width;
      total += g.width;
    }
    EXPECT_EQ(total, 1926);
    EXPECT_EQ(font->glyph_height(), 12);
    EXPECT_EQ(font->text_width("A\x01"), widths[65] + 8);
  }
}

TEST(FontStrip, EachChangeOfValueClosesAGlyph) {
  struct Case {
    std::vector<uint8_t> row;
    std::vector<std::pair<int, int>> glyphs;  // start, width
  };
  const Case cases[] = {
      {{7, 7, 9, 9, 9, 7}, {{0, 2}, {2, 3}, {5, 1}}},
      {{1, 2, 3, 3}, {{0, 1}, {1, 1}, {2, 2}}},  // not only two alternating values
      {{5, 5, 5}, {{0, 3}}},                     // the last run closes the last glyph
      {{}, {}},
  };
  for (const Case& c : cases) {
    const auto glyphs = pengui::glyphs_from_marker_row(c.row.data(), static_cast<int>(c.row.size()), 1);
    ASSERT_EQ(glyphs.size(), c.glyphs.size());
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      EXPECT_EQ(glyphs[i].start, c.glyphs[i].first);
      EXPECT_EQ(glyphs[i].width, c.glyphs[i].second);
    }
  }
  // In a multicolour strip only the index byte of each pair marks.
  const uint8_t pairs[] = {4, 0, 4, 9, 6, 9};
  const auto glyphs = pengui::glyphs_from_marker_row(pairs, 3, 2);
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[1].start, 2);
}

TEST(UnicolorFont, CoverageBlendsTheTextColourExactly) {
  // Glyph 'A' is 5 columns of coverage 0, 1, 128, 254, 255 over two rows.
  const uint8_t coverage[] = {0, 1, 128, 254, 255};
  std::vector<int> widths(256, 1);
  widths['A'] = 5;
  const auto font = make(apic_test::font_strip(widths, 2, false, [&](int code, int col, int) {
    return code == 'A' ? coverage[col] : 255;
  }));
  ASSERT_NE(font, nullptr);
  RenderBuffer b = filled(9, 5, 0x1180FF00u);
  font->draw_glyph(b, 2, 1, 'A', 0x0000FF80u, b.bounds());
  // d = (r 128, g 255, b 0), k = (r 0, g 255, b 128): d + ((k - d) * c >> 8).
  const uint32_t want[] = {0x1180FF00u, 0x117FFF00u, 0x1140FF40u, 0x1101FF7Fu, 0x1100FF7Fu};
  for (int col = 0; col < 5; ++col) {
    EXPECT_EQ(b.pixel(2 + col, 1), want[col]) << col;
    EXPECT_EQ(b.pixel(2 + col, 2), want[col]) << col;
  }
  // The glyph box is the rows above the marker row: nothing below, nothing beside.
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(b.pixel(x, 0), 0x1180FF00u);
    EXPECT_EQ(b.pixel(x, 3), 0x1180FF00u) << x;
  }
  EXPECT_EQ(b.pixel(1, 1), 0x1180FF00u);
  EXPECT_EQ(b.pixel(7, 1), 0x1180FF00u);
}

TEST(UnicolorFont, GlyphsClipAtTheEdges) {
  std::vector<int> widths(256, 2);
  widths['x'] = 3;
  const auto font = make(apic_test::font_strip(widths, 2, false, [](int, int, int) { return 255; }));
  ASSERT_NE(font, nullptr);
  struct Case {
    int x, y;
    pengui::Rect clip;
    int drawn;  // pixels changed
  };
  const Case cases[] = {{-1, 0, {0, 0, 4, 3}, 4}, {3, 2, {0, 0, 4, 3}, 1}, {0, 0, {1, 1, 1, 5}, 1}, {9, 0, {0, 0, 4, 3}, 0}};
  for (const Case& c : cases) {
    RenderBuffer b = filled(4, 3, kSentinel);
    font->draw_glyph(b, c.x, c.y, 'x', 0x00FFFFFFu, c.clip);
    int changed = 0;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 4; ++x) {
        if (b.pixel(x, y) != kSentinel) {
          ++changed;
          EXPECT_TRUE(c.clip.contains({x, y}));
        }
      }
    }
    EXPECT_EQ(changed, c.drawn);
  }
}

TEST(MulticolorFont, PaletteColourBlendsByOpacity) {
  std::vector<int> widths(256, 1);
  widths['B'] = 3;
  ApicFields s = apic_test::font_strip(widths, 1, true, [](int code, int, int) { return code == 'B' ? 2 : 0; });
  s.palette = {0, 0, 0x00FF0080u};
  // Transparency of the three columns of 'B': opaque, half, clear.
  const uint8_t transparency[] = {0, 127, 255};
  const int b_start = 'B';
  for (int col = 0; col < 3; ++col) s.pixels[static_cast<std::size_t>(b_start + col) * 2 + 1] = transparency[col];
  const auto font = make(s);
  ASSERT_NE(font, nullptr);
  RenderBuffer b = filled(3, 1, 0x00000000u);
  font->draw_glyph(b, 0, 0, 'B', 0x00FFFFFFu, b.bounds());  // its own colours: rgb unused
  EXPECT_EQ(b.pixel(0, 0), 0x00FE007Fu);  // factor 255: 255 * 255 >> 8 = 254
  EXPECT_EQ(b.pixel(1, 0), 0x007F0040u);  // factor 128
  EXPECT_EQ(b.pixel(2, 0), 0x00000000u);
}
