#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "support/alloc_counter.h"
#include "support/fake_dsp.h"
#include "synth/dsp/generator_outputs.h"
#include "synth/dsp/generator_stage.h"
#include "synth/dsp/pitch_units.h"

namespace {

// Indices in the stage's own registry, in creation order.
enum Param { kVco1Coarse, kVco2Coarse, kVco1Fine, kVco2Fine, kVco1Pw, kVco2Pw, kVco1Src, kVco2Sync };

constexpr int kNote69 = 69 * 65536 / 12;  // 440 Hz
constexpr int kOctave = 65536;

struct Stage {
  zindle_test::FakeDsp registry;
  synth::GeneratorStage gen;

  explicit Stage(double host_rate = 44100.0) {
    gen.create_params(registry);
    gen.set_sample_rate(2.0 * host_rate);
  }
  void change(Param p, double value) { registry.change(p, value); }
  struct Buffers {
    float* noise;
    int16_t *vco1_saw, *vco1_square, *vco2_saw, *vco2_square;
  };
  Buffers buffers() {
    Buffers b{};
    gen.get_buffers(b.noise, b.vco1_saw, b.vco1_square, b.vco2_saw, b.vco2_square);
    return b;
  }
};

uint32_t cycle_position(const synth::GeneratorStage::Vco& osc) {
  return static_cast<uint32_t>((osc.get_phase() >> osc.get_length_exponent()) + 0x4000000u);
}

// A width as the stage forms it: a float fraction of 2^32, rounded.
uint32_t width_of(double w) { return static_cast<uint32_t>(std::llround(static_cast<double>(static_cast<float>(w)) * 4294967296.0)); }

TEST(GeneratorStage, MaximumPitchFollowsTheHostRate) {
  struct Case { double host_rate; int max_pitch; };
  for (const Case c : {Case{44100.0, 812458}, Case{48000.0, 820471}, Case{96000.0, 820471 + kOctave}}) {
    Stage s(c.host_rate);
    EXPECT_EQ(s.gen.get_max_pitch(), c.max_pitch) << c.host_rate;
    // A pitch at the maximum is held one unit below it: the pure-sine level.
    s.gen.set_vco1_pitch(c.max_pitch);
    s.gen.set_vco2_pitch(c.max_pitch + 5000);
    EXPECT_EQ(s.gen.get_vco1_pitch(), c.max_pitch - 1);
    EXPECT_EQ(s.gen.get_vco2_pitch(), c.max_pitch - 1);
    EXPECT_EQ(s.gen.use_vco1().get_level(), 1);
  }
}

TEST(GeneratorStage, TuningAddsIntegerSemitones) {
  struct Case { double coarse; double fine; int offset; };
  const Case cases[] = {
      {12.0, 0.0, 65532},      // 4 units short of an octave
      {0.0, 1.0, 5461},
      {-36.0, 0.0, -196596},
      {7.0, 0.5, 40958},       // 40957.5 rounds up
      {-7.0, -0.5, -40957},    // -40957.5 rounds up too
      {0.5, -0.25, 1365},
  };
  for (const auto& c : cases) {
    Stage s;
    s.gen.set_vco1_pitch(kNote69);
    s.gen.set_vco2_pitch(kNote69 - kOctave);
    s.gen.set_vco2_mod(300);
    s.change(kVco1Coarse, c.coarse);
    s.change(kVco1Fine, c.fine);
    s.change(kVco2Coarse, c.coarse);
    s.change(kVco2Fine, c.fine);
    s.gen.update_params();
    EXPECT_EQ(s.gen.get_vco1_tuning(), c.offset) << c.coarse << " " << c.fine;
    EXPECT_EQ(s.gen.get_vco1_pitch(), kNote69 + c.offset);
    EXPECT_EQ(s.gen.get_vco2_pitch(), kNote69 - kOctave + 300 + c.offset);
  }
}

TEST(GeneratorStage, LowFrequencySourceIgnoresTheKeyboard) {
  Stage s;
  s.gen.set_vco1_pitch(kNote69);
  s.gen.set_vco1_mod(-1000);
  s.change(kVco1Coarse, 12.0);
  s.change(kVco1Src, 1.0);
  s.gen.update_params();
  EXPECT_EQ(s.gen.get_vco1_pitch(), 65532 - 1000);
  EXPECT_EQ(s.gen.use_vco2().get_master_pitch(), 65532 - 1000);
  s.gen.set_vco1_pitch(kNote69 + 5);  // still ignored
  EXPECT_EQ(s.gen.get_vco1_pitch(), 65532 - 1000);
  s.change(kVco1Src, 0.0);
  s.gen.update_params();
  EXPECT_EQ(s.gen.get_vco1_pitch(), kNote69 + 5 + 65532 - 1000);
}

TEST(GeneratorStage, PulseWidthIsClampedAndRecentred) {
  struct Case { double value; float modulation; double width; };
  // 0.5 itself lies above the 0.499 limit.
  const Case cases[] = {{0.5, 0.0f, 0.499}, {0.05, 0.0f, 0.05}, {0.05, -0.2f, 0.01}, {0.3, 0.4f, 0.499}, {0.25, 0.05f, 0.3}};
  for (const auto& c : cases) {
    Stage s;
    s.change(kVco2Pw, c.value);
    s.gen.set_pwm(1, c.modulation);
    s.gen.update_params();  // at phase 0 any width applies at once
    const auto& osc = s.gen.use_vco2().use_slave();
    const uint32_t expected = width_of(c.width);
    EXPECT_EQ(osc.get_pulse_width(), expected) << c.value << " " << c.modulation;
    EXPECT_EQ(osc.get_dc_offset(), 16384 - static_cast<int>(expected >> 17));
  }
}

TEST(GeneratorStage, WideningWaitsUntilThePulseEdgeIsPassed) {
  Stage s;
  s.gen.set_vco1_pitch(kNote69);  // about 200 samples per cycle
  s.change(kVco1Pw, 0.1);
  s.gen.update_params();
  const auto& vco1 = s.gen.use_vco1();
  ASSERT_EQ(vco1.get_pulse_width(), width_of(0.1));

  auto render_until = [&](double position) {
    while (cycle_position(vco1) < static_cast<uint32_t>(position * 4294967296.0) ||
           cycle_position(vco1) > static_cast<uint32_t>((position + 0.02) * 4294967296.0)) {
      s.gen.set_render_position(0);
      s.gen.render_sample();
    }
  };
  render_until(0.2);
  s.change(kVco1Pw, 0.3);
  s.gen.update_params();
  EXPECT_EQ(vco1.get_pulse_width(), width_of(0.1)) << "deferred while 0.1 < position < 0.3";
  render_until(0.25);
  s.gen.update_params();
  EXPECT_EQ(vco1.get_pulse_width(), width_of(0.1));
  render_until(0.32);
  s.gen.update_params();
  EXPECT_EQ(vco1.get_pulse_width(), width_of(0.3)) << "applied once the position passed it";

  render_until(0.2);
  s.change(kVco1Pw, 0.1);
  s.gen.update_params();
  EXPECT_EQ(vco1.get_pulse_width(), width_of(0.1)) << "narrowing applies at once";
}

// An octave below VCO 2 and five octaves under Nyquist (64 samples a cycle),
// VCO 1 restarts VCO 2 where its own cycle begins: synced VCO 2 is the free
// VCO 2 delayed by 8 samples.
TEST(GeneratorStage, SyncSwitchDelaysVco2ByEightSamples) {
  Stage synced, free_run;
  const int master = synced.gen.get_max_pitch() - 5 * kOctave;
  for (Stage* s : {&synced, &free_run}) {
    s->gen.set_vco1_pitch(master);
    s->gen.set_vco2_pitch(master + kOctave);
  }
  synced.change(kVco2Sync, 1.0);
  synced.gen.update_params();
  free_run.gen.update_params();
  ASSERT_TRUE(synced.gen.is_sync_on());
  ASSERT_FALSE(free_run.gen.is_sync_on());
  synced.gen.render_block(512);
  free_run.gen.render_block(512);
  const auto a = synced.buffers();
  const auto b = free_run.buffers();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(a.vco2_saw[i], 0);
  for (int i = 0; i + 8 < 512; ++i) {
    ASSERT_EQ(a.vco2_saw[i + 8], b.vco2_saw[i]) << i;
    ASSERT_EQ(a.vco2_square[i + 8], b.vco2_square[i]) << i;
    ASSERT_EQ(a.vco1_saw[i], b.vco1_saw[i]) << i;  // VCO 1 is never delayed
  }
}

TEST(GeneratorStage, BlockAndSampleRenderingAgreeWithoutAllocating) {
  for (const bool sync : {false, true}) {
    Stage block, single;
    for (Stage* s : {&block, &single}) {
      s->gen.set_vco1_pitch(kNote69 - 20000);
      s->gen.set_vco2_pitch(kNote69 + 33333);
      s->change(kVco1Pw, 0.2);
      s->change(kVco2Pw, 0.35);
      s->change(kVco2Sync, sync ? 1.0 : 0.0);
      s->gen.update_params();
    }
    for (int run = 0; run < 3; ++run) {
      zindle_test::AllocationCounter allocations;
      block.gen.render_block(512);
      single.gen.set_render_position(0);
      for (int i = 0; i < 512; ++i) single.gen.render_sample();
      EXPECT_EQ(allocations.count(), 0u);
      const auto a = block.buffers();
      const auto b = single.buffers();
      for (int i = 0; i < 512; ++i) {
        ASSERT_EQ(a.vco1_saw[i], b.vco1_saw[i]) << i;
        ASSERT_EQ(a.vco1_square[i], b.vco1_square[i]) << i;
        ASSERT_EQ(a.vco2_saw[i], b.vco2_saw[i]) << i;
        ASSERT_EQ(a.vco2_square[i], b.vco2_square[i]) << i;
        ASSERT_EQ(a.noise[i], b.noise[i]) << i;
      }
    }
  }
}

// VCO 2 under audio-rate modulation: the block form (everything else first,
// then VCO 2 from prepared pitches) must give the stepped form's samples.
TEST(GeneratorAudioMod, BlockFormMatchesSteppedForm) {
  struct Case {
    const char* what;
    bool sync;
    float amount;  // pitch units per unit of signal
  };
  const Case cases[] = {{"free, deep", false, 103765.34f}, {"synced, deep", true, 103765.34f},
                        {"synced, shallow", true, 900.0f}, {"free, off", false, 0.0f}};
  constexpr int kVco1 = 48 * 5461;
  constexpr int kVco2 = 55 * 5461;
  for (const Case& c : cases) {
    Stage stepped, block;
    for (Stage* s : {&stepped, &block}) {
      s->change(kVco2Sync, c.sync ? 1.0 : 0.0);
      s->change(kVco2Pw, 0.3);
      s->gen.update_params();
      s->gen.set_vco1_pitch(kVco1);
      s->gen.set_vco2_pitch(kVco2);
      s->gen.set_outputs_read(synth::generator_output::kAll);
    }
    float* noise[2];
    int16_t* bufs[2][4];
    stepped.gen.get_buffers(noise[0], bufs[0][0], bufs[0][1], bufs[0][2], bufs[0][3]);
    block.gen.get_buffers(noise[1], bufs[1][0], bufs[1][1], bufs[1][2], bufs[1][3]);
    // Slices of several lengths with a signal swinging past +-1 and into
    // pitches above the maximum.
    int slice_index = 0;
    for (int length : {512, 1, 37, 256, 511, 2}) {
      std::vector<float> signal(static_cast<size_t>(length));
      for (int i = 0; i < length; ++i) {
        signal[static_cast<size_t>(i)] = static_cast<float>(2.5 * std::sin(0.013 * (i + 97 * slice_index)));
      }
      stepped.gen.set_render_position(0);
      for (int i = 0; i < length; ++i) {
        stepped.gen.render_sample();
        stepped.gen.set_vco2_audio_mod(synth::round_half_up(signal[static_cast<size_t>(i)] * c.amount));
      }
      block.gen.render_block_except_vco2(length);
      block.gen.render_vco2_modulated(signal.data(), c.amount, length);
      for (int i = 0; i < length; ++i) {
        ASSERT_EQ(noise[1][i], noise[0][i]) << c.what << ", slice " << slice_index << ", sample " << i;
        for (int b = 0; b < 4; ++b) {
          ASSERT_EQ(bufs[1][b][i], bufs[0][b][i])
              << c.what << ", buffer " << b << ", slice " << slice_index << ", sample " << i;
        }
      }
      ASSERT_EQ(block.gen.get_vco2_pitch(), stepped.gen.get_vco2_pitch()) << c.what;
      ++slice_index;
    }
  }
}

}  // namespace
