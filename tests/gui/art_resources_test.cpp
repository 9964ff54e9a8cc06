// The artwork the plug-in carries, read back through the toolkit's own
// loaders: every picture and the font at 1x and 2x.
#include <gtest/gtest.h>

#include <string>

#include "gui/font_factory.h"
#include "gui/image_loader.h"
#include "tools/artgen/art_resources.h"

namespace {

class ArtResources : public ::testing::Test {
protected:
  void SetUp() override { art::register_art_resources(); }
};

}  // namespace

TEST_F(ArtResources, FortyOnePicturesEachAtBothScales) {
  ASSERT_EQ(art::kPictureCount, 41);
  for (int i = 0; i < art::kPictureCount; ++i) {
    const std::string name = art::kPictureNames[i];
    const pengui::Image image = pengui::load_image(name.c_str());
    ASSERT_NE(image.x1, nullptr) << name;
    ASSERT_NE(image.x2, nullptr) << name << "@2x";
    EXPECT_EQ(image.x2->width(), 2 * image.x1->width()) << name;
    EXPECT_EQ(image.x2->height(), 2 * image.x1->height()) << name;
  }
  const pengui::Image panel = pengui::load_image("bkg_28");
  EXPECT_EQ(panel.width(), 900);
  EXPECT_EQ(panel.height(), 446);
}

TEST_F(ArtResources, FontStripMarksTwoHundredFiftySixGlyphs) {
  const pengui::FontSet font = pengui::load_font(art::kFontName);
  ASSERT_NE(font.x1, nullptr);
  ASSERT_NE(font.x2, nullptr);
  const auto& g1 = font.x1->glyphs();
  const auto& g2 = font.x2->glyphs();
  ASSERT_EQ(g1.size(), 256u);
  ASSERT_EQ(g2.size(), 256u);
  int sum = 0;
  for (size_t c = 0; c < 256; ++c) {
    sum += g1[c].width;
    EXPECT_EQ(g2[c].width, 2 * g1[c].width) << c;
  }
  EXPECT_EQ(sum, 1926);
  EXPECT_EQ(font.x1->glyph_height(), 12);
  EXPECT_EQ(font.x2->glyph_height(), 25);
}

