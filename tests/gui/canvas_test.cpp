// The canvas: logical to device pixels by the scale, the 2x pictures (or
// 1x ones doubled), anti-aliased lines, clipping.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>

#include "apic_bytes.h"
#include "gui/canvas.h"
#include "gui/pic_data_factory.h"

using apic_test::apic_bytes;
using apic_test::ApicFields;
using apic_test::filled;
using pengui::Canvas;
using pengui::Rect;
using pengui::RenderBuffer;

namespace {

constexpr uint32_t kBlack = 0;
constexpr uint32_t kWhite = 0x00FFFFFFu;

// The buffer as text, one character per pixel from `legend`, '?' for others.
std::string art(const RenderBuffer& b, const std::map<uint32_t, char>& legend) {
  std::string s;
  for (int i = 0; i < b.width() * b.height(); ++i) {
    const auto it = legend.find(b.pixel(i % b.width(), i / b.width()));
    s += it == legend.end() ? '?' : it->second;
    if (i % b.width() == b.width() - 1) s += '\n';
  }
  return s;
}

// A solid w x h picture of one colour, 8-bit with alpha 255.
std::unique_ptr<pengui::PicDataInterface> solid(int w, int h, uint32_t rgb) {
  ApicFields s;
  s.kind = 1, s.width = w, s.height = h, s.palette = {rgb};
  for (int i = 0; i < w * h; ++i) s.pixels.insert(s.pixels.end(), {0, 255});
  const std::vector<uint8_t> bytes = apic_bytes(s);
  return pengui::PicDataFactory::create(bytes.data(), bytes.size());
}

}  // namespace

TEST(Canvas, RectanglesLandAtDeviceCoordinatesInsideTheClip) {
  struct Case { int scale; Rect clip; const char* expected; };
  const Case cases[] = {
      {1, {0, 0, 8, 4}, "........\n.##.....\n.##.....\n........\n"},
      {2, {0, 0, 8, 4}, "........\n........\n..####..\n..####..\n"},
      {2, {0, 0, 2, 4}, "........\n........\n..##....\n..##....\n"},
      {2, {-5, -5, 1, 20}, "........\n........\n........\n........\n"},
  };
  for (const Case& c : cases) {
    RenderBuffer b = filled(8, 4, kBlack);
    Canvas canvas(b, c.scale, c.clip);
    canvas.fill_rect({1, 1, 2, 2}, 0xFF00FF00u);  // the unused byte is not written
    EXPECT_EQ(art(b, {{kBlack, '.'}, {0x0000FF00u, '#'}}), c.expected) << "scale " << c.scale;
  }
  // A clip guard narrows the clip for its scope only.
  RenderBuffer b = filled(4, 1, kBlack);
  Canvas canvas(b, 1, b.bounds());
  {
    Canvas::ClipGuard guard(canvas, {1, 0, 2, 1});
    canvas.fill_rect(b.bounds(), kWhite);
  }
  EXPECT_EQ(canvas.clip(), b.bounds());
  EXPECT_EQ(art(b, {{kBlack, '.'}, {kWhite, '#'}}), ".##.\n");
}

TEST(Canvas, BlendAndFrame) {
  RenderBuffer b = filled(8, 8, 0x00204060u);
  Canvas canvas(b, 2, {0, 0, 4, 4});
  canvas.blend_rect({0, 0, 1, 1}, 0x00FF0000u, 128);
  canvas.blend_rect({1, 0, 1, 1}, 0x00FF0000u, 0);
  canvas.blend_rect({2, 0, 1, 1}, 0x00FF0000u, 255);
  EXPECT_EQ(b.pixel(1, 1), 0x008F2030u);  // 0x20 + (0xDF * 128 >> 8) = 0x8F
  EXPECT_EQ(b.pixel(3, 1), 0x00204060u);
  EXPECT_EQ(b.pixel(5, 1), 0x00FF0000u);

  RenderBuffer f = filled(8, 8, kBlack);
  Canvas frame(f, 2, f.bounds());
  frame.frame_rect({0, 0, 4, 4}, kWhite);
  EXPECT_EQ(art(f, {{kBlack, '.'}, {kWhite, '#'}}),
            "########\n########\n##....##\n##....##\n##....##\n##....##\n########\n########\n");
}

TEST(Canvas, ImagesPickTheScaleOrAreDoubled) {
  pengui::Image both;
  both.x1 = solid(2, 1, 0x00000011u);
  both.x2 = solid(4, 2, 0x00000022u);
  pengui::Image only_x1;
  only_x1.x1 = solid(2, 1, 0x00000011u);
  const std::map<uint32_t, char> legend = {{kBlack, '.'}, {0x11u, '1'}, {0x22u, '2'}};
  struct Case { const pengui::Image* img; int scale; const char* expected; };
  const Case cases[] = {
      {&both, 1, "......\n.11...\n......\n......\n"},
      {&both, 2, "......\n......\n..2222\n..2222\n"},
      {&only_x1, 2, "......\n......\n..1111\n..1111\n"},
  };
  for (const Case& c : cases) {
    RenderBuffer b = filled(6, 4, kBlack);
    Canvas canvas(b, c.scale, {0, 0, 6, 4});
    canvas.draw_image(*c.img, 1, 1);
    EXPECT_EQ(art(b, legend), c.expected) << "scale " << c.scale;
  }
}

TEST(Canvas, LineEdgesHaveExactCoverage) {
  // Width 1 on the pixel boundary y = 3 covers half of rows 2 and 3 (white
  // over black at alpha 128 is 0x7F); at 2x it covers device rows 5 and 6
  // fully, 6 cut by the buffer. The round caps cover the pixels past the
  // ends in part ('?').
  struct Case { int scale; float end_x; const char* expected; };
  const Case cases[] = {
      {1, 9.0f, "............\n............\n..?------?..\n..?------?..\n............\n............\n"},
      {2, 5.0f, "............\n............\n............\n............\n............\n.....?####?.\n"},
  };
  for (const Case& c : cases) {
    RenderBuffer b = filled(12, 6, kBlack);
    Canvas canvas(b, c.scale, b.bounds());
    canvas.draw_line(3.0f, 3.0f, c.end_x, 3.0f, 1.0f, kWhite);
    EXPECT_EQ(art(b, {{kBlack, '.'}, {kWhite, '#'}, {0x007F7F7Fu, '-'}}), c.expected) << "scale " << c.scale;
  }
}

TEST(Canvas, ShapesStayInsideTheClipAndIgnoreBadNumbers) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  RenderBuffer b = filled(16, 16, kBlack);
  Canvas canvas(b, 2, {2, 2, 3, 3});
  canvas.draw_line(-100.0f, 3.5f, 100.0f, 3.5f, 3.0f, kWhite);
  canvas.fill_circle(2.0f, 2.0f, 50.0f, kWhite);
  canvas.draw_line(nan, 0.0f, 4.0f, 4.0f, 1.0f, 0x00123456u);
  canvas.draw_line(0.0f, 0.0f, inf, 4.0f, 1.0f, 0x00123456u);
  canvas.fill_circle(1e30f, -1e30f, 1e30f, 0x00123456u);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool inside = x >= 4 && x < 10 && y >= 4 && y < 10;
      EXPECT_EQ(b.pixel(x, y), inside ? kWhite : kBlack) << x << "," << y;
    }
  }
}
