// The oscillator's partial renderings (sawtooth only, no output at all) must
// leave it exactly where full rendering does, so that a buffer nobody reads
// can be left out without changing a later sample.

#include "dsp/interpolator.h"
#include "dsp/osc_wavetable_sub.h"

#include <gtest/gtest.h>

#include <cstdint>
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

TEST(OscPartialRender, SawOnlyAndSkipLandWhereFullRenderingDoes) {
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
      reference.render(ref_saw.data(), ref_square.data(), step.count);
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
