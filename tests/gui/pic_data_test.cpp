// Drawing pictures: copies and alpha blends with exact byte values,
// clipping at every edge, parts of strips.
#include <gtest/gtest.h>

#include <climits>

#include "apic_bytes.h"
#include "gui/pic_data_factory.h"

using apic_test::apic_bytes;
using apic_test::ApicFields;
using apic_test::filled;
using apic_test::kSentinel;
using pengui::Rect;
using pengui::RenderBuffer;

namespace {

std::unique_ptr<pengui::PicDataInterface> make(const ApicFields& s) {
  const std::vector<uint8_t> bytes = apic_bytes(s);
  return pengui::PicDataFactory::create(bytes.data(), bytes.size());
}

// w x h palette picture, pixel (x, y) coloured by palette entry y * w + x;
// alpha pictures get `alpha` everywhere.
ApicFields indexed(int w, int h, bool with_alpha, int alpha = 255) {
  ApicFields s;
  s.kind = with_alpha ? 1 : 0, s.width = w, s.height = h;
  for (int i = 0; i < w * h; ++i) {
    s.palette.push_back(0x00010000u * static_cast<uint32_t>(10 + i) + 0x00000100u * static_cast<uint32_t>(3 * i) +
                        static_cast<uint32_t>(200 - i));
    s.pixels.push_back(static_cast<uint8_t>(i));
    if (with_alpha) s.pixels.push_back(static_cast<uint8_t>(alpha));
  }
  return s;
}

// The same colours as direct 24-bit pixels (blue, green, red [, alpha]).
ApicFields direct(int w, int h, bool with_alpha, int alpha = 255) {
  const ApicFields pal = indexed(w, h, false);
  ApicFields s;
  s.kind = with_alpha ? 1 : 0, s.bits = 24, s.width = w, s.height = h;
  for (uint32_t c : pal.palette) {
    s.pixels.insert(s.pixels.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)});
    if (with_alpha) s.pixels.push_back(static_cast<uint8_t>(alpha));
  }
  return s;
}

uint32_t colour_of(int w, int x, int y) { return indexed(w, 1 + y, false).palette[static_cast<std::size_t>(y * w + x)]; }

}  // namespace

TEST(PicData, OpaqueDrawCopiesPaletteEntriesWholeAndDirectColourInByteOrder) {
  ApicFields s = indexed(3, 1, false);
  s.palette = {0xAB112233u, 0x00445566u};
  s.pixels = {0, 1, 255};  // past the palette: black
  RenderBuffer b = filled(3, 1, kSentinel);
  make(s)->draw(b, 0, 0, b.bounds());
  EXPECT_EQ(b.pixel(0, 0), 0xAB112233u);  // all four bytes of the entry
  EXPECT_EQ(b.pixel(1, 0), 0x00445566u);
  EXPECT_EQ(b.pixel(2, 0), 0u);
  ApicFields d = direct(1, 1, false);
  d.pixels = {0x33, 0x22, 0x11};
  make(d)->draw(b, 0, 0, b.bounds());
  EXPECT_EQ(b.pixel(0, 0), 0x00112233u);
}

TEST(PicData, AlphaBlendGivesExactBytes) {
  // d = (r 100, g 0, b 201), p = (r 100, g 255, b 100): at alpha 128 blue
  // goes 201 + floor(-101 * 128 / 256) = 150 and green 0 + 127 = 127.
  const std::pair<int, uint32_t> cases[] = {{0, 0x116400C9u}, {128, 0x11647F96u}, {254, 0x1164FD64u}, {255, 0x0064FF64u}};
  for (bool twenty_four : {false, true}) {
    for (const auto& [alpha, expected] : cases) {
      ApicFields s = twenty_four ? direct(1, 1, true, alpha) : indexed(1, 1, true, alpha);
      if (twenty_four) s.pixels = {100, 255, 100, static_cast<uint8_t>(alpha)};
      if (!twenty_four) s.palette = {0x0064FF64u};
      RenderBuffer b = filled(1, 1, 0x116400C9u);
      make(s)->draw(b, 0, 0, b.bounds());
      EXPECT_EQ(b.pixel(0, 0), expected) << twenty_four << " alpha " << alpha;
    }
  }
}

TEST(PicData, ClipsAtEveryEdgeAndNeverTouchesOutside) {
  struct Case { const char* what; int x, y; Rect clip; };
  const Case cases[] = {
      {"past the left and top", -2, -1, {0, 0, 10, 8}},
      {"past the right and bottom", 8, 6, {0, 0, 10, 8}},
      {"clip smaller than the picture", 3, 2, {4, 3, 2, 1}},
      {"clip reaching outside the buffer", 7, 5, {-5, -5, 30, 30}},
      {"far left", INT_MIN + 2, 0, {0, 0, 10, 8}},
      {"far right", INT_MAX - 2, 0, {0, 0, 10, 8}},
      {"far up", 0, INT_MIN, {0, 0, 10, 8}},
  };
  for (const ApicFields& fields : {indexed(4, 3, true, 255), direct(4, 3, false)}) {
    const auto pic = make(fields);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      RenderBuffer b = filled(10, 8, kSentinel);
      pic->draw(b, c.x, c.y, c.clip);
      for (int x = 0, y = 0; y < 8; x = (x + 1) % 10, y += x == 0) {
        const int64_t px = int64_t{x} - c.x, py = int64_t{y} - c.y;
        const bool drawn = c.clip.contains({x, y}) && px >= 0 && py >= 0 && px < 4 && py < 3;
        ASSERT_EQ(b.pixel(x, y), drawn ? colour_of(4, int(px), int(py)) : kSentinel) << "pixel " << x << "," << y;
      }
    }
  }
}

TEST(PicData, DrawPartTakesOneFrameOfAStrip) {
  // Two frames of 2 x 2 side by side; parts hanging off the picture draw
  // only what lies inside it, at the place they would have had.
  struct Case {
    const char* what;
    Rect src;
    int x, y;
    std::vector<std::pair<int, int>> drawn;  // buffer pixel -> picture pixel x + 4 * y
  };
  const Case cases[] = {
      {"second frame", {2, 0, 2, 2}, 1, 1, {{1 + 5 * 1, 2}, {2 + 5 * 1, 3}, {1 + 5 * 2, 6}, {2 + 5 * 2, 7}}},
      {"hanging off the bottom right", {3, 1, 3, 3}, 2, 2, {{2 + 5 * 2, 7}}},
      {"outside", {4, 0, 2, 2}, 0, 0, {}},
  };
  const auto pic = make(indexed(4, 2, true, 255));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderBuffer b = filled(5, 4, kSentinel);
    pic->draw_part(b, c.src, c.x, c.y, b.bounds());
    std::vector<uint32_t> want(20, kSentinel);
    for (const auto& [at, from] : c.drawn) want[static_cast<std::size_t>(at)] = colour_of(4, from % 4, from / 4);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(b.pixel(i % 5, i / 5), want[static_cast<std::size_t>(i)]) << i;
  }
}
