// The container reader and the factories: which bytes make a picture or a
// font, and that resources are found by name in any letter case.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "apic_bytes.h"
#include "gui/font_factory.h"
#include "gui/image_loader.h"
#include "gui/pic_data_24.h"
#include "gui/pic_data_8.h"
#include "gui/pic_data_factory.h"
#include "sys/resources.h"

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

TEST(ApicReader, EachKindAndDepthMakesItsPictureClass) {
  const std::pair<ApicFields, const std::type_info*> cases[] = {
      {picture(0, 8), &typeid(pengui::PicData8)},
      {picture(1, 8), &typeid(pengui::AlphaPicData8)},
      {picture(0, 24), &typeid(pengui::PicData24)},
      {picture(1, 24), &typeid(pengui::AlphaPicData24)},
  };
  for (const auto& [fields, type] : cases) {
    const auto pic = make_picture(fields);
    ASSERT_NE(pic, nullptr) << type->name();
    EXPECT_TRUE(typeid(*pic) == *type) << type->name();
    EXPECT_EQ(pic->width() * 10 + pic->height(), 32);
  }
}

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
}

TEST(ApicReader, EveryShorterPrefixIsRejected) {
  for (const ApicFields& s : {picture(1, 8), picture(1, 24)}) {
    const std::vector<uint8_t> bytes = apic_bytes(s);
    ASSERT_NE(pengui::PicDataFactory::create(bytes.data(), bytes.size()), nullptr);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
      const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
      EXPECT_EQ(pengui::PicDataFactory::create(prefix.data(), prefix.size()), nullptr) << n << " bytes";
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

TEST(ApicResources, FoundByNameInAnyCaseAndMissingGivesNothing) {
  static const std::vector<uint8_t> pic = apic_bytes(picture(1, 8));
  static const std::vector<uint8_t> pic2x = [] {
    ApicFields s = picture(1, 8);
    s.width = 6, s.height = 4, s.pixels.assign(6 * 4 * 2, 1);
    return apic_bytes(s);
  }();
  static const std::vector<uint8_t> wrong2x = apic_bytes(picture(0, 24));
  static const std::vector<uint8_t> font = apic_bytes(unicolour_font());
  static const sys::EmbeddedResource table[] = {
      {"PICS_KN_36", "APIC", pic.data(), pic.size()},
      {"PICS_KN_36@2X", "APIC", pic2x.data(), pic2x.size()},
      {"PICS_PB_89_0", "APIC", pic.data(), pic.size()},
      {"PICS_PB_89_0@2x", "APIC", wrong2x.data(), wrong2x.size()},
      {"PICS_FONT_02", "APIC", font.data(), font.size()},
      {"PICS_BKG_28", "SNPB", pic.data(), pic.size()},
  };
  sys::register_embedded_resources(table, sizeof table / sizeof table[0]);

  EXPECT_NE(pengui::PicDataFactory::create("pics_kn_36"), nullptr);
  EXPECT_NE(pengui::PicDataFactory::create("Pics_Kn_36"), nullptr);
  EXPECT_EQ(pengui::PicDataFactory::create("pics_kn_35"), nullptr);
  EXPECT_EQ(pengui::PicDataFactory::create("pics_bkg_28"), nullptr);  // not an APIC resource
  EXPECT_NE(pengui::FontFactory::create("pics_font_02"), nullptr);
  EXPECT_EQ(pengui::FontFactory::create("pics_kn_36"), nullptr);

  const pengui::Image knob = pengui::load_image("pics_kn_36");
  ASSERT_NE(knob.x2, nullptr);
  // A 2x picture that is not twice the size is dropped: x1 is drawn doubled.
  const pengui::Image button = pengui::load_image("pics_pb_89_0");
  EXPECT_NE(button.x1, nullptr);
  EXPECT_EQ(button.x2, nullptr);
  EXPECT_EQ(pengui::load_image("pics_tl_02_0").width(), 0);
  const pengui::FontSet font_set = pengui::load_font("pics_font_02");
  EXPECT_EQ(font_set.at(2), font_set.x1.get());  // no 2x font: 1x drawn doubled
}
