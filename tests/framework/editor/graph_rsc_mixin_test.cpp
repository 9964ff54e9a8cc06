// The editor's picture store over the plug-in's generated artwork: 1x at
// set-up, 2x added on demand, lookups by name in any letter case.

#include <gtest/gtest.h>

#include "framework/editor/graph_rsc_mixin.h"
#include "tools/artgen/art_resources.h"

namespace {

class GraphRscMixinTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { art::register_art_resources(); }
};

TEST_F(GraphRscMixinTest, LoadsTheTableAtOneXThenAddsTwoX) {
  mppi::GraphRscMixin store;
  ASSERT_TRUE(store.load_graph_resources(art::kPictureNames, art::kPictureCount, art::kFontName));
  EXPECT_EQ(store.get_nbr_images(), 41);
  const pengui::Image* bkg = store.find_image("bkg_28");
  ASSERT_NE(bkg, nullptr);
  EXPECT_EQ(bkg->width(), 900);
  EXPECT_EQ(bkg->height(), 446);
  EXPECT_EQ(bkg->x2, nullptr);
  ASSERT_NE(store.find_font(art::kFontName), nullptr);
  EXPECT_EQ(store.find_font(art::kFontName)->x2, nullptr);
  EXPECT_FALSE(store.has_double_size());

  store.load_double_size();
  EXPECT_TRUE(store.has_double_size());
  EXPECT_EQ(store.find_image("bkg_28"), bkg);  // the same picture, now with its 2x
  ASSERT_NE(bkg->x2, nullptr);
  EXPECT_EQ(bkg->x2->width(), 1800);
  EXPECT_EQ(bkg->x2->height(), 892);
  for (int i = 0; i < art::kPictureCount; ++i) {
    const pengui::Image* img = store.find_image(art::kPictureNames[i]);
    ASSERT_NE(img, nullptr) << art::kPictureNames[i];
    ASSERT_NE(img->x2, nullptr) << art::kPictureNames[i];
    EXPECT_EQ(img->x2->width(), 2 * img->width()) << art::kPictureNames[i];
  }
  EXPECT_NE(store.find_font(art::kFontName)->x2, nullptr);
}

TEST_F(GraphRscMixinTest, NamesInAnyCaseAndMissingOnes) {
  mppi::GraphRscMixin store;
  const char* const names[] = {"bkg_28", "KN_36"};
  ASSERT_TRUE(store.load_graph_resources(names, 2, nullptr));
  EXPECT_NE(store.find_image("BKG_28"), nullptr);
  EXPECT_NE(store.find_image("kn_36"), nullptr);
  EXPECT_EQ(store.find_image("kn_37"), nullptr);
  EXPECT_EQ(store.find_image(nullptr), nullptr);
  EXPECT_EQ(store.find_font("font_02"), nullptr);
  // Loading again skips what is there.
  ASSERT_TRUE(store.load_graph_resources(names, 2, nullptr));
  EXPECT_EQ(store.get_nbr_images(), 2);

  const char* const with_missing[] = {"fd_18", "no_such_picture", "fd_19"};
  EXPECT_FALSE(store.load_graph_resources(with_missing, 3, nullptr));
  EXPECT_FALSE(store.load_graph_resources(nullptr, 1, nullptr));
  EXPECT_FALSE(store.load_graph_resources(names, 2, "no_such_font"));
}

}  // namespace
