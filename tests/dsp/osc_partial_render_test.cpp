// The oscillator's block renderings (four-wide, sawtooth only, no output at
// all) must give the samples of render_one and leave the oscillator where it
// does, so that a buffer nobody reads can be left out without changing a
// later sample.

#include "dsp/interpolator.h"
#include "dsp/osc_wavetable_sub.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using Osc = dsp::OscWavetableSub<dsp::Interpolator::CubicHermite, 12, 12, short, 1, 2>;

constexpr int kMaxPitch = 1234567;  // the Nyquist pitch at 88.2 kHz

enum class Mode { kFull, kSawOnly, kSkip };

struct Case {
  const char* what;
  int pitch;
  uint32_t width;
};

TEST(CubicHermite, FourWideReadingEqualsSingleReadings) {
  // Full-scale alternation drives every intermediate to its largest size.
  std::vector<int16_t> extreme(4096 + 3), noise(4096 + 3);
  for (size_t i = 0; i < extreme.size(); ++i) extreme[i] = (i % 2 == 0) ? 32767 : -32768;
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  for (int16_t& v : noise) v = static_cast<int16_t>(sample(rng));
  std::uniform_int_distribution<uint64_t> position(0, (uint64_t{4096} << 32) - 1);
  for (const std::vector<int16_t>* table : {&extreme, &noise}) {
    const int16_t* level = table->data() + 1;
    for (int round = 0; round < 20000; ++round) {
      uint64_t phases[4];
      for (uint64_t& p : phases) p = position(rng);
      if (round == 0) {
        phases[0] = 0;
        phases[1] = 0xFFFFFFFFu;  // the largest fraction
        phases[2] = (uint64_t{4095} << 32) | 0xFFFFFFFFu;
        phases[3] = uint64_t{1} << 32;
      }
      int32_t wide[4];
      dsp::Interpolator::CubicHermite::read4(level, phases, wide);
      for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(wide[k], dsp::Interpolator::CubicHermite::read(level, phases[k]))
            << "phase " << phases[k] << ", lane " << k;
      }
    }
  }
}

TEST(OscPartialRender, BlockFormsLandWhereSampleBySampleRenderingDoes) {
  const Case cases[] = {
      {"sub-audio, thin pulse", 200000, 0x0A000000u},
      {"middle C, square", 786432 + 5461 * 3, 0x80000000u},
      {"near Nyquist, top level", kMaxPitch - 3000, 0x40000000u},
  };
  // Chunk lengths cover 0, odd counts and more than one cycle of a low tone.
  const struct {
    Mode mode;
    int count;
  } schedule[] = {{Mode::kFull, 7},    {Mode::kSkip, 1},      {Mode::kSawOnly, 33}, {Mode::kSkip, 0},
                  {Mode::kFull, 64},   {Mode::kSkip, 5000},   {Mode::kFull, 100},   {Mode::kSawOnly, 512},
                  {Mode::kSkip, 511},  {Mode::kFull, 300}};
  for (const Case& c : cases) {
    Osc reference;
    Osc partial;
    for (Osc* osc : {&reference, &partial}) {
      osc->set_max_pitch(kMaxPitch);
      osc->set_pitch(c.pitch);
      osc->set_pulse_width(c.width, 0);
    }
    int position = 0;
    for (const auto& step : schedule) {
      std::vector<int16_t> ref_saw(step.count + 1), ref_square(step.count + 1);
      std::vector<int16_t> saw(step.count + 1, 0x5555), square(step.count + 1, 0x5555);
      for (int i = 0; i < step.count; ++i) reference.render_one(&ref_saw[i], &ref_square[i]);
      switch (step.mode) {
        case Mode::kFull: partial.render(saw.data(), square.data(), step.count); break;
        case Mode::kSawOnly: partial.render_saw(saw.data(), step.count); break;
        case Mode::kSkip: partial.skip(step.count); break;
      }
      for (int i = 0; i < step.count && step.mode != Mode::kSkip; ++i) {
        ASSERT_EQ(saw[i], ref_saw[i]) << c.what << ", sample " << position + i;
        if (step.mode == Mode::kFull) {
          ASSERT_EQ(square[i], ref_square[i]) << c.what << ", sample " << position + i;
        }
      }
      EXPECT_EQ(saw[step.count], 0x5555) << c.what << ": wrote past the count";
      ASSERT_EQ(partial.get_phase(), reference.get_phase()) << c.what << " after sample " << position;
      ASSERT_EQ(partial.get_second_phase(), reference.get_second_phase()) << c.what;
      position += step.count;
    }
  }
}

}  // namespace
