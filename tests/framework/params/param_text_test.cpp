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

}  // namespace
