// Font strips: glyph extents from the marker row, also of the font the
// plug-in carries.
#include <gtest/gtest.h>

#include "apic_bytes.h"
#include "gui/font_factory.h"
#include "gui/font_glyph_strip.h"
#include "gui/image_loader.h"
#include "tools/artgen/art_resources.h"

using apic_test::ApicFields;

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

TEST(ArtResources, FontStripMarksTwoHundredFiftySixGlyphs) {
  art::register_art_resources();
  const pengui::FontSet font = pengui::load_font(art::kFontName);
  ASSERT_TRUE(font.x1 && font.x2);
  const auto& g1 = font.x1->glyphs();
  const auto& g2 = font.x2->glyphs();
  ASSERT_TRUE(g1.size() == 256u && g2.size() == 256u);
  int sum = 0;
  for (size_t c = 0; c < 256; ++c) {
    sum += g1[c].width;
    EXPECT_EQ(g2[c].width, 2 * g1[c].width) << c;
  }
  EXPECT_EQ(sum, 1926);
  EXPECT_TRUE(font.x1->glyph_height() == 12 && font.x2->glyph_height() == 25);
}
