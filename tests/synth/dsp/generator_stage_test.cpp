#include <gtest/gtest.h>

#include "support/fake_dsp.h"
#include "synth/dsp/generator_stage.h"

namespace {

// Indices in the stage's own registry, in creation order.
enum Param { kVco1Coarse, kVco2Coarse, kVco1Fine, kVco2Fine, kVco1Pw, kVco2Pw };

constexpr int kNote69 = 69 * 65536 / 12;  // 440 Hz
constexpr int kOctave = 65536;

struct Stage {
  zindle_test::FakeDsp registry;
  synth::GeneratorStage gen;

  Stage() {
    gen.create_params(registry);
    gen.set_sample_rate(2.0 * 44100.0);
  }
  void change(Param p, double value) { registry.change(p, value); }
};

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

}  // namespace
