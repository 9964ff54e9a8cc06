// The artwork generator's pieces: palette reduction, the APIC container read
// back by the toolkit, the font strip and its pins (the SHA-256 with them),
// the layout checker, the generated sources.
#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "gui/font_factory.h"
#include "gui/pic_data_factory.h"
#include "tools/artgen/apic_writer.h"
#include "tools/artgen/font_strip.h"
#include "tools/artgen/generated_sources.h"
#include "tools/artgen/palette_quantizer.h"
#include "tools/artgen/panel_layout.h"
#include "tools/artgen/picture_catalogue.h"
#include "tools/artgen/pinned_fonts.h"

using namespace artgen;

namespace {

const std::string kArtDir = ZINDLE_ART_SOURCE_DIR;
const std::string kFontDir = ZINDLE_ART_FONT_DIR;

std::string write_temp(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path) << text;
  return path;
}

}  // namespace

TEST(ArtgenPalette, FewColoursKeptExactlyAndTransparentPixelsIgnored) {
  Raster r(4, 1);
  r.at(0, 0) = Rgba{255, 0, 0, 255};
  r.at(1, 0) = Rgba{0, 0, 255, 128};
  r.at(2, 0) = Rgba{1, 2, 3, 0};  // invisible: must not take a palette entry
  r.at(3, 0) = Rgba{255, 0, 0, 255};
  const IndexedPicture q = quantize(r);
  ASSERT_EQ(q.palette, (std::vector<uint32_t>{0x0000FF, 0xFF0000}));
  EXPECT_EQ(q.indexes, (std::vector<uint8_t>{1, 0, 0, 1}));
}

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
  const PinnedFonts fonts(kArtDir + "/fonts.txt", kFontDir);
  FontStripLayout layout;
  layout.size = 11;
  layout.rows = 12;
  layout.baseline = 10;
  layout.strip_width = 1926;
  const std::vector<int> widths = font_strip_widths(fonts.face("ui"), layout);
  ASSERT_EQ(widths.size(), 256u);
  EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 1926);
  EXPECT_EQ(widths[0x81], 8);  // undefined in Windows-1252: a box

  for (int scale : {1, 2}) {
    const FontStrip strip = render_font_strip(fonts.face("ui"), layout, widths, scale);
    EXPECT_EQ(strip.height, 13 * scale);
    EXPECT_EQ(strip.width, 1926 * scale);
    const std::vector<uint8_t> bytes = apic_unicolour_font(strip.width, strip.height, strip.coverage);
    auto font = pengui::FontFactory::create(bytes.data(), bytes.size());
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->glyphs().size(), 256u);
    for (size_t c = 0; c < 256; ++c) EXPECT_EQ(font->glyphs()[c].width, widths[c] * scale) << c;
    // Ink in the euro sign's box, none in the space's.
    const auto ink = [&](int code) {
      const pengui::Glyph g = font->glyphs()[size_t(code)];
      int sum = 0;
      for (int y = 0; y < strip.height - 1; ++y)  // above the marker row
        for (int x = g.start; x < g.start + g.width; ++x) sum += strip.coverage[size_t(y * strip.width + x)];
      return sum;
    };
    EXPECT_GT(ink(0x80), 0);
    EXPECT_EQ(ink(' '), 0);
  }
}

TEST(ArtgenFonts, AFontThatDiffersFromItsPinIsRefused) {
  const std::string list = write_temp(
      "fonts_bad.txt", "ui DejaVuSans.ttf 0000000000000000000000000000000000000000000000000000000000000000\n");
  try {
    PinnedFonts fonts(list, kFontDir);
    FAIL() << "a wrong pin was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("differs from the pinned one"), std::string::npos) << e.what();
  }
}

// A faulty line stops the reader with its line number; a layout that reads
// well can still place items over each other or outside their frame.
TEST(ArtgenLayout, FaultsNameTheirLineOrItem) {
  const PinnedFonts fonts(kArtDir + "/fonts.txt", kFontDir);
  const std::vector<PictureSource> pictures = read_picture_catalogue(kArtDir + "/pictures.txt");
  const std::string head =
      "panel w=300 h=200\nstyle label font=label size=9 colour=#ffffff\n"
      "style legend font=legend size=8.5 colour=#ffffff\nstyle title font=title size=8.5 colour=#000000\n"
      "frame f part=GuiMix x=0 y=0 w=200 h=150 title=T\n";
  const std::string frame = "panel w=10 h=10\nframe f part=P x=0 y=0 w=5 h=5\n";
  const std::pair<std::string, const char*> cases[] = {
      {head + "knob \"A\" x=20 y=30 pic=kn_36 pointer=kn_36_spn label=A\n"
              "knob \"B\" x=80 y=30 pic=kn_36 pointer=kn_36_spn label=B\n", ""},
      // Rings of two knobs 40 px apart touch: their scales need 42.
      {head + "knob \"A\" x=20 y=30 pic=kn_36 pointer=kn_36_spn\nknob \"B\" x=60 y=30 pic=kn_36 pointer=kn_36_spn\n",
       "overlaps"},
      {head + "fader \"F\" x=40 y=60 pic=fd_18 travel=70 label=LONG\n", "leaves its frame"},  // label below
      {"panel w=10 h=10\nknob \"A\" x=1 y=1 pic=kn_36 pointer=kn_36_spn\n", ":2: an item before the first frame"},
      {frame + "knob \"A\" x=1 y=1 pic=kn_99 pointer=kn_36_spn\n", ":3: unknown picture kn_99"},
      {frame + "fader \"A\" x=1 y=1 pic=fd_18 travel=40\nknob \"A\" x=1 y=1 pic=kn_36 pointer=kn_36_spn\n",
       ":4: \"A\" has a control already (line 3)"},
  };
  for (const auto& [text, expected] : cases) {
    std::string fault;
    try {
      const PanelLayout layout = read_panel_layout(write_temp("layout.txt", text), pictures);
      const std::vector<std::string> faults = check_panel_layout(layout, PanelGeometry(layout, fonts));
      if (!faults.empty()) fault = faults[0];
    } catch (const std::runtime_error& e) {
      fault = e.what();
    }
    if (*expected) {
      EXPECT_NE(fault.find(expected), std::string::npos) << text << fault;
    } else {
      EXPECT_EQ(fault, "") << text;
    }
  }
}

TEST(ArtgenGenerated, ResourceScriptKeepsWindresFromJoiningNames) {
  const std::vector<GeneratedResource> resources = {{"bkg_28", "/b/art/bkg_28.apic", {}},
                                                    {"bkg_28@2x", "/b/art/bkg_28@2x.apic", {}}};
  const std::string rc = resource_script(resources);
  // Each entry after a LANGUAGE statement, so that no quoted name follows
  // the previous entry's quoted file name.
  EXPECT_NE(rc.find("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n\"BKG_28@2X\" APIC \"/b/art/bkg_28@2x.apic\"\n"),
            std::string::npos) << rc;
  size_t statements = 0;
  for (size_t at = rc.find("\nLANGUAGE "); at != std::string::npos; at = rc.find("\nLANGUAGE ", at + 1)) ++statements;
  EXPECT_EQ(statements, resources.size());
  EXPECT_THROW(resource_script({{"x", "/a\"b/x.apic", {}}}), std::runtime_error);
}

TEST(ArtgenGenerated, EmbeddedTableNamesEveryResourceWithItsSize) {
  const std::vector<GeneratedResource> resources = {{"kn_36", "", {0, '"', '\\', '?', 'a', 255}},
                                                    {"kn_36@2x", "", {7}}};
  const std::string cpp = embedded_resources_source(resources, {"bkg_28", "kn_36"}, "font_02");
  EXPECT_NE(cpp.find("{\"KN_36\", \"APIC\", kData0, 6}"), std::string::npos);
  EXPECT_NE(cpp.find("{\"KN_36@2X\", \"APIC\", kData1, 1}"), std::string::npos);
  // Quote, backslash and '?' (trigraphs) escaped; printable bytes as they are.
  EXPECT_NE(cpp.find("\"\\000\\042\\134\\077a\\377\""), std::string::npos) << cpp;
  EXPECT_NE(cpp.find("const int kPictureCount = 2;"), std::string::npos);
}
