// The artwork generator's output read back by the toolkit: APIC pictures
// and the font strip.
#include <gtest/gtest.h>

#include <numeric>

#include "gui/font_factory.h"
#include "gui/pic_data_factory.h"
#include "tools/artgen/apic_writer.h"
#include "tools/artgen/font_strip.h"
#include "tools/artgen/pinned_fonts.h"

using namespace artgen;

TEST(ArtgenApic, PicturesReadBackByTheToolkitWithTheirPixels) {
  Raster r(3, 2);
  r.at(0, 0) = Rgba{200, 100, 50, 255};
  r.at(1, 0) = Rgba{10, 20, 30, 128};
  r.at(2, 0) = Rgba{255, 255, 255, 0};
  r.at(0, 1) = Rgba{0, 0, 0, 255};
  r.at(1, 1) = Rgba{200, 100, 50, 64};
  r.at(2, 1) = Rgba{9, 9, 9, 255};

  const std::vector<uint8_t> alpha = apic_alpha8(r);
  auto pic = pengui::PicDataFactory::create(alpha.data(), alpha.size());
  ASSERT_NE(pic, nullptr);
  pengui::RenderBuffer buffer(3, 2);
  buffer.fill(buffer.bounds(), 0x808080);
  pic->draw(buffer, 0, 0, buffer.bounds());
  // d + ((p - d) * a >> 8) per component over a grey of 0x80.
  EXPECT_EQ(buffer.pixel(0, 0), 0xC86432u);
  EXPECT_EQ(buffer.pixel(1, 0), 0x454A4Fu);
  EXPECT_EQ(buffer.pixel(2, 0), 0x808080u);
  EXPECT_EQ(buffer.pixel(2, 1), 0x090909u);

  const std::vector<uint8_t> opaque = apic_opaque8(r);
  ASSERT_EQ(opaque.size(), 36u + 4 * 5 + 6);  // five colours, one byte per pixel
  auto flat = pengui::PicDataFactory::create(opaque.data(), opaque.size());
  ASSERT_NE(flat, nullptr);
  flat->draw(buffer, 0, 0, buffer.bounds());
  EXPECT_EQ(buffer.pixel(1, 0), 0x0A141Eu);  // alpha ignored: the colour itself
  EXPECT_EQ(buffer.pixel(2, 0), 0xFFFFFFu);
}

TEST(ArtgenFontStrip, WidthsAddUpAndTheToolkitFindsEveryGlyph) {
  const PinnedFonts fonts(ZINDLE_ART_SOURCE_DIR "/fonts.txt", ZINDLE_ART_FONT_DIR);
  FontStripLayout layout;
  layout.size = 11;
  layout.rows = 12;
  layout.baseline = 10;
  layout.strip_width = 1926;
  const std::vector<int> widths = font_strip_widths(fonts.face("ui"), layout);
  ASSERT_EQ(widths.size(), 256u);
  EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 1926);

  for (int scale : {1, 2}) {
    const FontStrip strip = render_font_strip(fonts.face("ui"), layout, widths, scale);
    EXPECT_EQ(strip.height, 13 * scale);
    EXPECT_EQ(strip.width, 1926 * scale);
    const std::vector<uint8_t> bytes = apic_unicolour_font(strip.width, strip.height, strip.coverage);
    auto font = pengui::FontFactory::create(bytes.data(), bytes.size());
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->glyphs().size(), 256u);
    for (size_t c = 0; c < 256; ++c) EXPECT_EQ(font->glyphs()[c].width, widths[c] * scale) << c;
  }
}
