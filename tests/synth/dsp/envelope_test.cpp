#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "synth/dsp/envelope_generator.h"

namespace {

constexpr double kFs = 44100.0;

synth::EnvelopeGenerator make_env(double attack, double decay, double sustain, double release) {
  synth::EnvelopeGenerator env;
  env.set_sample_rate(kFs);
  env.set_attack_time(attack);
  env.set_decay_time(decay);
  env.set_sustain_level(sustain);
  env.set_release_time(release);
  return env;
}

std::vector<float> render(synth::EnvelopeGenerator& env, int count) {
  std::vector<float> out(static_cast<size_t>(count));
  // Odd chunk sizes so that segment ends fall inside chunks.
  for (int pos = 0; pos < count; pos += 97) env.render(out.data() + pos, std::min(97, count - pos));
  return out;
}

TEST(EnvelopeGenerator, AttackOfTenMillisecondsReachesOneAtSample441) {
  for (double sustain : {1.0, 0.5}) {
    SCOPED_TRACE(sustain);
    synth::EnvelopeGenerator env = make_env(0.01, 0.2, sustain, 0.1);
    env.trigger();
    const std::vector<float> out = render(env, 600);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[441], 1.0f);
    EXPECT_LT(out[440], 1.0f);
    EXPECT_GT(out[440], 0.998f);
    for (int i = 1; i <= 440; ++i) ASSERT_GT(out[i], out[i - 1]) << i;
    EXPECT_NEAR(out[220], 0.6328952, 1e-6);  // the curve aims at 1.5
    EXPECT_EQ(env.get_state(), sustain == 1.0 ? synth::EnvelopeGenerator::kSustain
                                              : synth::EnvelopeGenerator::kDecay);
  }
}

TEST(EnvelopeGenerator, DecayRunsItsFixedLengthAndSustainHoldsWhereItEnded) {
  synth::EnvelopeGenerator env = make_env(0.01, 0.1, 0.5, 0.1);
  env.trigger();
  const std::vector<float> out = render(env, 441 + 4410 + 1000);
  // Aims 0.01 below the level and leaves 1 % of the way after 0.1 s.
  EXPECT_NEAR(out[441 + 4409], 0.4951053, 1e-6);
  for (int i = 441 + 4410; i < 441 + 4410 + 1000; ++i) ASSERT_NEAR(out[i], 0.4951, 1e-6) << i;
  EXPECT_EQ(env.get_state(), synth::EnvelopeGenerator::kSustain);
}

TEST(EnvelopeGenerator, ReleaseEndsWhenTheCurveCrossesZero) {
  // From the held level the curve aims at -0.01 and has 1 % of that way
  // left after the release time; it ends where it crosses zero.
  struct Case { double level; double release; int length; };
  for (const Case c : {Case{1.0, 0.1, 4420}, Case{0.3, 0.05, 1640}, Case{0.02, 0.5, 5228}}) {
    SCOPED_TRACE(c.level);
    synth::EnvelopeGenerator env = make_env(0.005, 0.005, c.level, c.release);
    env.trigger();
    render(env, 2000);
    ASSERT_EQ(env.get_state(), synth::EnvelopeGenerator::kSustain);
    const float held = static_cast<float>(env.get_value());
    env.release();
    const std::vector<float> out = render(env, c.length + 50);
    EXPECT_FLOAT_EQ(out[0], held);
    EXPECT_GT(out[c.length - 1], 0.0f);
    EXPECT_LT(out[c.length - 1], 0.0005f);
    EXPECT_EQ(out[c.length], 0.0f);
    EXPECT_FALSE(env.is_active());
    EXPECT_EQ(env.get_value(), 0.0);
  }
}

TEST(EnvelopeGenerator, RetriggerInReleaseRestartsTheAttackFromTheCurrentLevel) {
  synth::EnvelopeGenerator env = make_env(0.01, 0.005, 1.0, 0.1);
  env.trigger();
  render(env, 1000);
  env.release();
  render(env, 2000);
  const float level = static_cast<float>(env.get_value());
  ASSERT_GT(level, 0.05f);
  env.trigger();
  const std::vector<float> out = render(env, 600);
  // Continues from the level (0.1151 after 2000 samples of release); the
  // rest of the way to 1 takes 409 samples instead of 441.
  EXPECT_NEAR(level, 0.1151100, 1e-6);
  EXPECT_NEAR(out[0], level, 1e-6);
  EXPECT_NEAR(out[1], 0.1185557, 1e-6);
  EXPECT_LT(out[408], 1.0f);
  EXPECT_EQ(out[409], 1.0f);
}

// Two envelopes rendered as a pair sound exactly as each rendered alone,
// whichever of them changes segment first, holds without end or is off.
TEST(EnvelopeGenerator, PairRendersAsTwoAlone) {
  struct Setup { double attack, decay, sustain, release; int release_at; };
  const Setup setups[][2] = {
      {{0.01, 0.1, 0.5, 0.1, 3000}, {0.002, 0.02, 0.8, 0.3, 1200}},  // segment ends at different places
      {{0.005, 0.005, 1.0, 0.05, 100000}, {0.03, 0.2, 0.3, 0.02, 2500}},  // one holds without end
      {{0.005, 0.005, 0.4, 0.01, 400}, {0.1, 0.1, 0.7, 0.2, 8000}},  // one goes off early
  };
  for (const auto& pair : setups) {
    synth::EnvelopeGenerator alone[2], paired[2];
    for (int k = 0; k < 2; ++k) {
      const Setup& s = pair[k];
      alone[k] = make_env(s.attack, s.decay, s.sustain, s.release);
      paired[k] = make_env(s.attack, s.decay, s.sustain, s.release);
    }
    std::vector<float> want[2], got[2];
    for (int pos = 0, chunk = 1; pos < 12000; pos += chunk, chunk = chunk * 7 % 251 + 1) {
      for (int k = 0; k < 2; ++k) {
        const int start = k == 0 ? 0 : 150;  // the second starts later
        if (pos <= start && pos + chunk > start) {
          alone[k].trigger();
          paired[k].trigger();
        }
        if (pos <= pair[k].release_at && pos + chunk > pair[k].release_at) {
          alone[k].release();
          paired[k].release();
        }
      }
      std::vector<float> out[2] = {std::vector<float>(chunk), std::vector<float>(chunk)};
      for (int k = 0; k < 2; ++k) {
        alone[k].render(out[k].data(), chunk);
        want[k].insert(want[k].end(), out[k].begin(), out[k].end());
      }
      synth::EnvelopeGenerator::render_pair(paired[0], out[0].data(), paired[1], out[1].data(), chunk);
      for (int k = 0; k < 2; ++k) got[k].insert(got[k].end(), out[k].begin(), out[k].end());
    }
    for (int k = 0; k < 2; ++k) {
      EXPECT_EQ(got[k], want[k]) << "envelope " << k;
      EXPECT_EQ(paired[k].get_state(), alone[k].get_state());
    }
  }
}

}  // namespace
