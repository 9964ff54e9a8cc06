// VCO 2 under audio-rate modulation: the block form (everything else first,
// then VCO 2 from prepared pitches) must give the stepped form's samples.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "synth/dsp/generator_outputs.h"
#include "synth/dsp/generator_stage.h"
#include "synth/dsp/pitch_units.h"
#include "support/fake_dsp.h"

namespace {

enum Param { kVco1Coarse, kVco2Coarse, kVco1Fine, kVco2Fine, kVco1Pw, kVco2Pw, kVco1Src, kVco2Sync };

struct Stage {
  zindle_test::FakeDsp registry;
  synth::GeneratorStage gen;

  Stage(bool sync, int vco1_pitch, int vco2_pitch) {
    gen.create_params(registry);
    gen.set_sample_rate(88200.0);
    registry.change(kVco2Sync, sync ? 1.0 : 0.0);
    registry.change(kVco2Pw, 0.3);
    gen.update_params();
    gen.set_vco1_pitch(vco1_pitch);
    gen.set_vco2_pitch(vco2_pitch);
    gen.set_outputs_read(synth::generator_output::kAll);
  }
};

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
    Stage stepped(c.sync, kVco1, kVco2);
    Stage block(c.sync, kVco1, kVco2);
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
