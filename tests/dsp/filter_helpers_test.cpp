#include <gtest/gtest.h>

#include <cmath>

#include "dsp/env_follower.h"
#include "dsp/linear_ramp.h"

namespace {

TEST(EnvFollower, AttackHoldAndReleaseTiming) {
  // At 1000 Hz: 10-sample attack, 5-sample hold, 20-sample release.
  dsp::EnvFollower env;
  env.set_sample_rate(1000.0f);
  env.set_attack(0.01f);
  env.set_hold(0.005f);
  env.set_release(0.02f);
  env.reset();
  float e = 0.0f;
  for (int i = 0; i < 10; ++i) e = env.tick(i % 2 ? 1.0f : -1.0f);  // rectified
  EXPECT_NEAR(e, 1.0f - std::exp(-1.0f), 1e-5f);
  for (int i = 0; i < 190; ++i) e = env.tick(1.0f);
  const float top = e;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(env.tick(0.0f), top) << "hold " << i;
  for (int i = 0; i < 20; ++i) e = env.tick(0.0f);
  EXPECT_NEAR(e, top * std::exp(-1.0f), 1e-5f);
}

TEST(LinearRamp, ThousandToTwoThousandTakes4410Samples) {
  struct Case {
    int block;
    int blocks_before;  // blocks that stay short of the target
  };
  for (const Case& c : {Case{64, 68}, Case{1, 4409}, Case{4410, 0}, Case{256, 17}}) {
    dsp::LinearRamp ramp;
    ramp.set_target(1000.0f);
    ramp.jump_to_target();
    ramp.set_target(2000.0f);
    for (int i = 0; i < c.blocks_before; ++i) ramp.advance(c.block);
    EXPECT_LT(ramp.value(), 2000.0) << c.block;
    EXPECT_GT(ramp.value(), 1000.0 + (c.blocks_before * c.block - 1) * 1000.0 / 4410.0) << c.block;
    ramp.advance(c.block);
    EXPECT_EQ(ramp.value(), 2000.0) << c.block;
    EXPECT_FALSE(ramp.is_moving());
  }
}

TEST(LinearRamp, DownwardRampAndRateChangeKeepTheTimeLeft) {
  dsp::LinearRamp ramp;
  ramp.set_target(2000.0f);
  ramp.jump_to_target();
  ramp.set_target(1000.0f);
  ramp.advance(2205);  // half way
  EXPECT_NEAR(ramp.value(), 1500.0, 1e-6);
  ramp.set_sample_rate(88200.0f);  // the remaining 50 ms is now 4410 samples
  ramp.advance(4409);
  EXPECT_GT(ramp.value(), 1000.0);
  ramp.advance(1);
  EXPECT_EQ(ramp.value(), 1000.0);
}

TEST(LinearRamp, ZeroRampTimeJumps) {
  dsp::LinearRamp ramp;
  ramp.set_ramp_time(0.0f);
  ramp.set_target(440.0f);
  EXPECT_EQ(ramp.value(), 440.0);
  EXPECT_FALSE(ramp.is_moving());
}

}  // namespace
