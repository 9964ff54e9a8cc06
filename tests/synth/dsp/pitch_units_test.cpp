#include "synth/dsp/pitch_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// round_half_up avoids the library floor; it must agree with it everywhere
// an int holds the result, halves and negative fractions included.
TEST(RoundHalfUp, AgreesWithFloorOfXPlusHalf) {
  const double edges[] = {0.0,   -0.0,  0.5,      -0.5,       1.5,         -1.5,         0.49999999999999994,
                          -0.49999999999999994, 2.0, -2.0, 1e-300, -1e-300, 2147483646.4, -2147483647.5,
                          -2147483648.0, 65535.5, -65536.5};
  for (double x : edges) {
    EXPECT_EQ(synth::round_half_up(x), static_cast<int>(std::floor(x + 0.5))) << x;
  }
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> wide(-1e9, 1e9);
  std::uniform_int_distribution<int> halves(-400000, 400000);
  for (int i = 0; i < 200000; ++i) {
    const double a = wide(rng);
    const double b = halves(rng) * 0.5;  // exact halves, the tie cases
    const double c = static_cast<double>(static_cast<float>(a * 1e-4));  // float products as callers pass them
    for (double x : {a, b, c}) ASSERT_EQ(synth::round_half_up(x), static_cast<int>(std::floor(x + 0.5))) << x;
  }
}

}  // namespace
