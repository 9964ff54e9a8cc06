#include "framework/params/param_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ParamText, BoundedCopyAndAppendCutAndTerminate) {
  struct Case {
    int len;
    const char* expected;
  };
  const Case cases[] = {{1, ""}, {2, "M"}, {4, "Mix"}, {5, "Mix2"}, {8, "Mix2Lvl"}, {32, "Mix2Lvl"}};
  for (const Case& c : cases) {
    char buf[40];
    std::memset(buf, 'x', sizeof(buf));
    mppi::copy_bounded(buf, c.len, "Mix");
    mppi::append_bounded(buf, c.len, "2");
    mppi::append_bounded(buf, c.len, "Lvl");
    EXPECT_STREQ(buf, c.expected) << "len " << c.len;
    EXPECT_EQ(buf[c.len], 'x') << "wrote past len " << c.len;
  }

  char untouched[4] = {'a', 'b', 'c', 'd'};
  mppi::copy_bounded(untouched, 0, "VCO");
  mppi::copy_bounded(untouched, -3, "VCO");
  mppi::append_bounded(untouched, 0, "VCO");
  EXPECT_EQ(std::string(untouched, 4), "abcd");
  mppi::append_bounded(untouched, 4, "e");  // not terminated within len
  EXPECT_STREQ(untouched, "abc");
}

TEST(ParamText, CaseInsensitiveSearch) {
  EXPECT_EQ(mppi::find_no_case("-oo", "oo"), 1);
  EXPECT_EQ(mppi::find_no_case("OO", "oo"), 0);
  EXPECT_EQ(mppi::find_no_case("turn it OFF", "Off"), 8);
  EXPECT_EQ(mppi::find_no_case("of", "Off"), -1);
  EXPECT_EQ(mppi::find_no_case("", "On"), -1);
  EXPECT_EQ(mppi::find_no_case("LFO Sine", "lfo sine"), 0);
}

TEST(ParamText, ScanNumberNeedsOneNumber) {
  double x = 7.0;
  EXPECT_TRUE(mppi::scan_number(" -6 dB", x));
  EXPECT_DOUBLE_EQ(x, -6.0);
  x = 7.0;
  EXPECT_FALSE(mppi::scan_number("dB", x));
  EXPECT_FALSE(mppi::scan_number("", x));
  EXPECT_FALSE(mppi::scan_number("nan", x));
  EXPECT_FALSE(mppi::scan_number(nullptr, x));
  EXPECT_DOUBLE_EQ(x, 7.0);
}

TEST(ParamText, LimitedWidthNumbers) {
  struct Case {
    double x;
    int width;
    const char* expected;
  };
  const Case cases[] = {
      {5.0, 6, "5.0000"},      {123.456, 6, "123.45"},  {20000.0, 6, "20000"},
      {187.5, 6, "187.50"},    {0.0, 6, "0.0000"},      {9999.4, 6, "9999.4"},
      {9999.5, 6, "10000"},    {1500.0, 6, "1500.0"},   {-5.0, 6, "-5.000"},
      {-999.5, 6, "-999"},     {99.4, 4, "99.4"},       {99.5, 4, "100"},
      {3e9, 6, "3000000000"},  // past int range
  };
  for (const Case& c : cases) {
    char buf[400];
    mppi::format_limited(buf, sizeof(buf), c.x, c.width);
    EXPECT_STREQ(buf, c.expected) << c.x << " width " << c.width;
  }
  char small[4];
  mppi::format_limited(small, sizeof(small), 20000.0, 6);
  EXPECT_STREQ(small, "200");
}

TEST(ParamText, BeatFractions) {
  struct Case {
    double x;
    int len;
    const char* expected;
  };
  const Case cases[] = {
      {1.0, 7, "1"},          // one beat: the 1.00001 nudge must not show
      {0.5, 7, "1/2"},        {0.1, 7, "1/10"},     {0.1, 5, "1/10"},
      {0.1, 4, "1/9"},        // one digit each: 10 is out of bounds
      {10.0, 7, "10"},        {0.0, 7, "0"},        {2.0 / 0.3, 7, "6 2/3"},
      {1.75, 7, "1 3/4"},     {1.99, 7, "1 95/96"},  // 95/96 beats 2/2 at two digits
      {1.99, 5, "2"},         // at one digit nothing beats 2/2
      {1.9375, 7, "1 15/16"}, {1.9375, 6, "1 8/9"},  // the space counts against the digits
      {0.999, 7, "1"},        {3.0 / 16.0, 7, "3/16"},
  };
  for (const Case& c : cases) {
    char buf[16];
    std::memset(buf, 'x', sizeof(buf));
    mppi::format_fraction(buf, c.x, c.len);
    EXPECT_STREQ(buf, c.expected) << c.x << " len " << c.len;
    EXPECT_LE(static_cast<int>(std::strlen(buf)), c.len);
  }
}

}  // namespace
