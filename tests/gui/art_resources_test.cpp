// The artwork the plug-in carries, read back through the toolkit's own
// loaders: every picture and the font at 1x and 2x, the panel colours, the
// knob pointer strips' direction, and the layout table's pictures and areas.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "gui/font_factory.h"
#include "gui/image_loader.h"
#include "gui/pic_data_factory.h"
#include "tools/artgen/art_resources.h"
#include "tools/artgen/panel_layout_table.h"

using pengui::Rect;
using pengui::RenderBuffer;

namespace {

constexpr uint32_t kSentinel = 0x00FF00FFu;

class ArtResources : public ::testing::Test {
protected:
  void SetUp() override { art::register_art_resources(); }
};

int channel_distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int shift = 0; shift <= 16; shift += 8)
    d = std::max(d, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
  return d;
}

// Centre of the pixels a picture part changes when drawn over the sentinel,
// relative to the part's centre; y grows downwards.
bool covered_centroid(const pengui::PicDataInterface& pic, const Rect& part, double& dx, double& dy) {
  RenderBuffer buffer(part.w, part.h);
  buffer.fill(buffer.bounds(), kSentinel);
  pic.draw_part(buffer, part, 0, 0, buffer.bounds());
  double sx = 0, sy = 0;
  int n = 0;
  for (int y = 0; y < part.h; ++y)
    for (int x = 0; x < part.w; ++x)
      if (buffer.pixel(x, y) != kSentinel) {
        sx += x + 0.5;
        sy += y + 0.5;
        ++n;
      }
  if (n == 0) return false;
  dx = sx / n - part.w / 2.0;
  dy = sy / n - part.h / 2.0;
  return true;
}

}  // namespace

TEST_F(ArtResources, FortyOnePicturesEachAtBothScales) {
  ASSERT_EQ(art::kPictureCount, 41);
  EXPECT_STREQ(art::kPictureNames[0], "bkg_28");
  std::set<std::string> names;
  for (int i = 0; i < art::kPictureCount; ++i) {
    const std::string name = art::kPictureNames[i];
    EXPECT_TRUE(names.insert(name).second) << name;
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
  for (int control : {0, 9, 31, 127}) EXPECT_EQ(g1[size_t(control)].width, 8) << control;
  // Ordinary text is wider for wide letters and fits the 900-pixel panel.
  EXPECT_GT(g1['W'].width, g1['i'].width);
  EXPECT_LT(font.x1->text_width("64 - A program name of thirty-two chars"), 300);
}

TEST_F(ArtResources, PanelColoursSurviveThePalette) {
  const pengui::Image panel = pengui::load_image("bkg_28");
  ASSERT_NE(panel.x1, nullptr);
  RenderBuffer buffer(900, 446);
  panel.x1->draw(buffer, 0, 0, buffer.bounds());
  // The plate's edge, a title band beside its text and a fader slot.
  EXPECT_LE(channel_distance(buffer.pixel(0, 200), 0x08090a), 2);
  EXPECT_LE(channel_distance(buffer.pixel(12, 52), 0xd8d2c2), 2);
  EXPECT_LE(channel_distance(buffer.pixel(146, 100), 0x0a0a0c), 3);
  // The 2x panel shows the same at doubled coordinates.
  RenderBuffer big(1800, 892);
  panel.x2->draw(big, 0, 0, big.bounds());
  EXPECT_LE(channel_distance(big.pixel(25, 105), 0xd8d2c2), 2);
}

TEST_F(ArtResources, PointerStripsTurnClockwiseFromLowerLeftToLowerRight) {
  for (const char* name : {"kn_36_spn", "kn_35_spn", "kn_35_sps"}) {
    const pengui::Image strip = pengui::load_image(name);
    ASSERT_NE(strip.x1, nullptr);
    const int size = strip.width();
    ASSERT_EQ(strip.height() % size, 0);
    const int frames = strip.height() / size;
    ASSERT_EQ(frames, 64) << name;
    struct Frame {
      int index;
      double angle_degrees;  // direction of the pointer, clockwise from 12 o'clock
    };
    for (const Frame f : {Frame{0, -135}, Frame{frames / 2, 2.1}, Frame{frames - 1, 135}}) {
      double dx = 0, dy = 0;
      ASSERT_TRUE(covered_centroid(*strip.x1, Rect{0, f.index * size, size, size}, dx, dy)) << name;
      const double angle = std::atan2(dx, -dy) * 180 / M_PI;
      EXPECT_NEAR(angle, f.angle_degrees, 8) << name << " frame " << f.index;
    }
  }
}

TEST_F(ArtResources, LayoutTableUsesOnlyPicturesThatExist) {
  std::set<std::string> pictures(art::kPictureNames, art::kPictureNames + art::kPictureCount);
  std::set<std::string> used;
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& it = art::kPanelItems[i];
    for (const char* name : {it.picture, it.picture_on, it.lamp, it.lamp_on}) {
      if (!*name) continue;
      EXPECT_TRUE(pictures.count(name)) << it.name << " uses " << name;
      used.insert(name);
    }
    if (it.kind == art::PanelItemKind::knob || it.kind == art::PanelItemKind::button) {
      // The control's rectangle is its picture's size.
      const pengui::Image image = pengui::load_image(it.picture);
      ASSERT_NE(image.x1, nullptr) << it.name;
      EXPECT_EQ(image.width(), it.w) << it.name;
      EXPECT_EQ(image.height(), it.h) << it.name;
    }
    if (it.kind == art::PanelItemKind::fader) {
      const pengui::Image cap = pengui::load_image(it.picture);
      ASSERT_NE(cap.x1, nullptr);
      EXPECT_EQ(it.h, cap.height() + it.travel) << it.name;
    }
  }
  // Every knob body has its pointer strip, every switch state its lamp.
  EXPECT_TRUE(used.count("kn_36") && used.count("kn_36_spn") && used.count("tl_02_1"));
}

// Overlaps and frames leaving the panel stop the art generator itself; here
// the emitted table against its frames.
TEST_F(ArtResources, ItemsStayInTheirFrames) {
  int keyboards = 0;
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& it = art::kPanelItems[i];
    const art::PanelFrame* frame = nullptr;
    for (int f = 0; f < art::kPanelFrameCount; ++f)
      if (std::strcmp(art::kPanelFrames[f].id, it.frame) == 0) frame = &art::kPanelFrames[f];
    ASSERT_NE(frame, nullptr) << it.name;
    EXPECT_STREQ(frame->part, it.part);
    EXPECT_TRUE(it.x >= frame->x && it.y >= frame->y && it.x + it.w <= frame->x + frame->w &&
                it.y + it.h <= frame->y + frame->h)
        << it.name;
    if (it.kind == art::PanelItemKind::keyboard) {
      ++keyboards;
      EXPECT_EQ(it.octaves, 4);
      EXPECT_EQ(it.first_note % 12, 0);  // starts on a C
      EXPECT_EQ(it.w % (7 * it.octaves + 1), 0) << "white keys of equal width";
      EXPECT_STREQ(it.part, "GuiKeyboard");
    }
  }
  EXPECT_EQ(keyboards, 1);
}
