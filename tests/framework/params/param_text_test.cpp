#include "framework/params/param_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ParamText, BoundedCopyAndAppendCutAndTerminate) {
  const std::pair<int, const char*> cases[] = {{1, ""}, {4, "Mix"}, {5, "Mix2"}, {8, "Mix2Lvl"}, {32, "Mix2Lvl"}};
  for (const auto& c : cases) {
    char buf[40];
    std::memset(buf, 'x', sizeof(buf));
    mppi::copy_bounded(buf, c.first, "Mix");
    mppi::append_bounded(buf, c.first, "2");
    mppi::append_bounded(buf, c.first, "Lvl");
    EXPECT_STREQ(buf, c.second) << "len " << c.first;
    EXPECT_EQ(buf[c.first], 'x') << "wrote past len " << c.first;
  }

  char untouched[4] = {'a', 'b', 'c', 'd'};
  mppi::copy_bounded(untouched, 0, "VCO");
  mppi::copy_bounded(untouched, -3, "VCO");
  mppi::append_bounded(untouched, 0, "VCO");
  EXPECT_EQ(std::string(untouched, 4), "abcd");
  mppi::append_bounded(untouched, 4, "e");  // not terminated within len
  EXPECT_STREQ(untouched, "abc");
}

TEST(ParamText, LimitedWidthNumbers) {
  const struct {
    double x;
    int width;
    const char* expected;
  } cases[] = {
      {123.456, 6, "123.45"}, {9999.4, 6, "9999.4"}, {9999.5, 6, "10000"}, {-5.0, 6, "-5.000"},
      {-999.5, 6, "-999"},    {99.5, 4, "100"},
      {3e9, 6, "3000000000"},  // past int range
  };
  for (const auto& c : cases) {
    char buf[400];
    mppi::format_limited(buf, sizeof(buf), c.x, c.width);
    EXPECT_STREQ(buf, c.expected) << c.x << " width " << c.width;
  }
  char small[4];
  mppi::format_limited(small, sizeof(small), 20000.0, 6);
  EXPECT_STREQ(small, "200");
}

TEST(ParamText, BeatFractions) {
  const struct {
    double x;
    int len;
    const char* expected;
  } cases[] = {
      {1.0, 7, "1"},          // one beat: the 1.00001 nudge must not show
      {0.1, 5, "1/10"},       {0.1, 4, "1/9"},  // one digit each: 10 is out of bounds
      {2.0 / 0.3, 7, "6 2/3"}, {1.99, 7, "1 95/96"},  // 95/96 beats 2/2 at two digits
      {1.99, 5, "2"},         // at one digit nothing beats 2/2
      {1.9375, 6, "1 8/9"},   // the space counts against the digits
      {0.999, 7, "1"},
  };
  for (const auto& c : cases) {
    char buf[16];
    std::memset(buf, 'x', sizeof(buf));
    mppi::format_fraction(buf, c.x, c.len);
    EXPECT_STREQ(buf, c.expected) << c.x << " len " << c.len;
    EXPECT_LE(static_cast<int>(std::strlen(buf)), c.len);
  }
}

}  // namespace
