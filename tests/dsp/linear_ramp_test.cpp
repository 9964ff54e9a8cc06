#include "dsp/linear_ramp.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Up and down by 1000 in 0.1 s at 44.1 kHz, whatever the block size; a
// change of rate halfway keeps the time left.
TEST(LinearRamp, ThousandToTwoThousandTakes4410Samples) {
  struct Case {
    float from, to;
    int block;
    int blocks_before;  // blocks that stay short of the target
  };
  for (const Case& c : {Case{1000, 2000, 64, 68}, Case{1000, 2000, 1, 4409}, Case{1000, 2000, 4410, 0},
                        Case{2000, 1000, 256, 17}}) {
    dsp::LinearRamp ramp;
    ramp.set_target(c.from);
    ramp.jump_to_target();
    ramp.set_target(c.to);
    for (int i = 0; i < c.blocks_before; ++i) ramp.advance(c.block);
    const double done = (c.blocks_before * c.block - 1) * 1000.0 / 4410.0;
    EXPECT_LT(std::abs(ramp.value() - c.from), 1000.0) << c.block;
    EXPECT_GT(std::abs(ramp.value() - c.from), done) << c.block;
    ramp.advance(c.block);
    EXPECT_EQ(ramp.value(), c.to) << c.block;
    EXPECT_FALSE(ramp.is_moving());
  }
  dsp::LinearRamp ramp;
  ramp.set_target(2000.0f);
  ramp.jump_to_target();
  ramp.set_target(1000.0f);
  ramp.advance(2205);
  EXPECT_NEAR(ramp.value(), 1500.0, 1e-6);
  ramp.set_sample_rate(88200.0f);  // the remaining 50 ms is now 4410 samples
  ramp.advance(4409);
  EXPECT_GT(ramp.value(), 1000.0);
  ramp.advance(1);
  EXPECT_EQ(ramp.value(), 1000.0);
}

}  // namespace
