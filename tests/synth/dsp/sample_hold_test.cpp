#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "support/fake_dsp.h"
#include "synth/dsp/generator_outputs.h"
#include "synth/dsp/sample_hold_stage.h"

namespace {

constexpr double kFs = 88200.0;

enum { kLag, kSrc1, kSrc1Level, kSrc2, kSrc2Level };

struct ShRig {
  ShRig() {
    stage.create_params(registry);
    stage.set_sample_rate(kFs);
    stage.set_sources(noise, saw1, square1, square2);
  }
  void set(double lag, double src1, double level1, double src2, double level2) {
    registry.change(kLag, lag);
    registry.change(kSrc1, src1);
    registry.change(kSrc1Level, level1);
    registry.change(kSrc2, src2);
    registry.change(kSrc2Level, level2);
    stage.update();
  }
  // Fills the sources with a different pattern per seed.
  void fill(int seed) {
    uint32_t r = 12345u + static_cast<uint32_t>(seed) * 7919u;
    for (int i = 0; i < synth::SampleHoldStage::kMaxSamples; ++i) {
      r = r * 1664525u + 1013904223u;
      saw1[i] = static_cast<int16_t>(r >> 16);
      square1[i] = (r & 0x100u) ? 16384 : -16384;
      square2[i] = (r & 0x200u) ? 16384 : -16384;
      noise[i] = static_cast<float>(static_cast<int32_t>(r) >> 8) / 8388608.0f;
    }
  }

  zindle_test::FakeDsp registry;
  synth::SampleHoldStage stage;
  float noise[synth::SampleHoldStage::kMaxSamples] = {};
  int16_t saw1[synth::SampleHoldStage::kMaxSamples] = {};
  int16_t square1[synth::SampleHoldStage::kMaxSamples] = {};
  int16_t square2[synth::SampleHoldStage::kMaxSamples] = {};
};

TEST(SampleHoldStage, MixerSignalFromItsSources) {
  struct Case {
    double src1, level1, src2, level2;
    int16_t s1, s2;
    float noise;
    float expected;
  };
  const Case cases[] = {
      {0, 0.5, 0, 0.0, -16384, 0, 0.0f, -0.25f},  // level x (s/16384 + 1/2)
      {1, 1.0, 0, 0.25, 8192, -16384, 0.0f, 1.0f - 0.125f},
      {0, 0.0, 1, 0.5, 16384, 16384, -1.5f, -0.75f},  // noise: no offset
  };
  for (const Case& c : cases) {
    ShRig rig;
    const bool saw = c.src1 != 0.0;
    for (int i = 0; i < 4; ++i) {
      (saw ? rig.saw1 : rig.square1)[i] = c.s1;
      (saw ? rig.square1 : rig.saw1)[i] = 1234;  // the source not chosen
      rig.square2[i] = c.s2;
      rig.noise[i] = c.noise;
    }
    rig.set(0.0, c.src1, c.level1, c.src2, c.level2);
    rig.stage.process_block(4, true);
    EXPECT_FLOAT_EQ(rig.stage.get_mixer_buffer()[3], c.expected) << c.src1 << " " << c.src2;
  }
}

// The block form leaves out a term whose level is 0; its mix must still be
// the stepped form's, bit for bit, for every choice of sources and levels.
// The generator writes only the buffers the stage names, so the others hold
// stale values: they must not reach the mix.
TEST(SampleHoldStage, BlockMixEqualsSteppedMixAndNeedsOnlyTheBuffersItNames) {
  constexpr int kN = 96;
  for (double src1 : {0.0, 1.0}) {
    for (double level1 : {0.0, 0.3, 1.0}) {
      for (double src2 : {0.0, 1.0}) {
        for (double level2 : {0.0, 0.7}) {
          ShRig block, stepped, stale;
          for (ShRig* rig : {&block, &stepped, &stale}) {
            rig->fill(static_cast<int>(10 * level1 + 3 * level2));
            rig->set(0.0, src1, level1, src2, level2);
          }
          namespace out = synth::generator_output;
          const unsigned read = stale.stage.generator_outputs_read();
          for (int i = 0; i < kN; ++i) {
            if (!(read & out::kVco1Saw)) stale.saw1[i] = 32767;
            if (!(read & out::kVco1Square)) stale.square1[i] = -32768;
            if (!(read & out::kVco2Square)) stale.square2[i] = 32767;
            if (!(read & out::kNoise)) stale.noise[i] = std::nanf("");
          }
          block.stage.process_block(kN, true);
          stale.stage.process_block(kN, true);
          stepped.stage.restart();
          for (int i = 0; i < kN; ++i) stepped.stage.step();
          stepped.stage.hold_and_lag(kN, true);
          EXPECT_EQ(0, std::memcmp(block.stage.get_mixer_buffer(), stepped.stage.get_mixer_buffer(),
                                   sizeof(float) * kN))
              << "src1 " << src1 << " level1 " << level1 << " src2 " << src2 << " level2 " << level2;
          EXPECT_EQ(block.stage.get_output(), stepped.stage.get_output());
          EXPECT_EQ(0, std::memcmp(block.stage.get_mixer_buffer(), stale.stage.get_mixer_buffer(),
                                   sizeof(float) * kN))
              << "reads a buffer it does not name: src1 " << src1 << " level1 " << level1 << " src2 " << src2
              << " level2 " << level2;
        }
      }
    }
  }
}

TEST(SampleHoldStage, HoldsBetweenTriggers) {
  ShRig rig;
  rig.set(0.0, 1.0, 1.0, 0.0, 0.0);
  std::vector<float> outputs;
  const bool triggers[] = {true, false, false, true, false};
  for (int slice = 0; slice < 5; ++slice) {
    rig.fill(slice);
    rig.stage.process_block(64, triggers[slice]);
    outputs.push_back(rig.stage.get_output());
    if (triggers[slice]) {
      // The first sample of the triggering slice.
      EXPECT_FLOAT_EQ(rig.stage.get_held_value(), rig.saw1[0] / 16384.0f + 0.5f);
    }
  }
  EXPECT_EQ(outputs[1], outputs[0]);
  EXPECT_EQ(outputs[2], outputs[0]);
  EXPECT_NE(outputs[3], outputs[0]);
  EXPECT_EQ(outputs[4], outputs[3]);
}

TEST(SampleHoldStage, LagGlidesWithItsTimeConstant) {
  ShRig zero;
  zero.set(0.0, 1.0, 1.0, 0.0, 0.0);
  zero.fill(1);
  zero.stage.process_block(2, true);
  EXPECT_EQ(zero.stage.get_output(), zero.stage.get_held_value());

  // 0.5 s: from 0 towards 1.5, 63 % of the way after 0.5 s (172 slices of
  // 256 at 88.2 kHz).
  ShRig slow;
  slow.set(0.5, 0.0, 1.0, 0.0, 0.0);
  for (int i = 0; i < 256; ++i) slow.square1[i] = 16384;  // mix = 1.5
  const std::pair<int, double> points[] = {{50, 0.37788}, {100, 0.66057}, {150, 0.87204}, {200, 1.03024}};
  int k = 0;
  for (const auto& [slices, output] : points) {
    for (; k < slices; ++k) slow.stage.process_block(256, k == 0);
    EXPECT_NEAR(slow.stage.get_output(), output, 1e-4) << slices;
  }
}

}  // namespace
