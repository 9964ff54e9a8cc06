#include "synth/dsp/mixer_stage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "support/fake_dsp.h"
#include "support/signal_measure.h"
#include "synth/dsp/generator_outputs.h"

namespace {

using zindle_test::to_db;
using zindle_test::tone_amplitude;

constexpr int kN = synth::MixerStage::kMaxSamples;
using zindle_test::kPi;

enum {
  kSrc1, kSrc2, kSrc3, kLevel1, kLevel2, kLevel3, kVcfCutoff, kVcfReso, kHpfCutoff,
  kVcaGain, kVcaSrc, kVcaEnvLevel, kVeloVcaSens, kVeloVcfSens, kA440
};

// The stage with its parameters at their start values and source buffers
// that the tests fill.
struct MixerRig {
  explicit MixerRig(double fs = 44100.0) : fs(fs) {
    stage.create_params(registry);
    stage.set_buffers(noise, saw1, square1, saw2, square2, audio_mod, ar, adsr);
    stage.set_sample_rate(fs);
    for (float& v : ar) v = 1.0f;
    for (float& v : adsr) v = 1.0f;
  }
  void set(int index, double value) { registry.change(index, value); }
  void open_vca() {
    set(kVcaGain, 1.0);
    set(kVcaEnvLevel, 0.0);
  }
  // Takes pending settings at once, without glides.
  void settle() {
    stage.update_params();
    stage.reset();
  }
  // Renders n host-rate samples, the noise source playing `src(i)` at the
  // doubled rate.
  template <class Source>
  std::vector<float> render(int n, Source src) {
    std::vector<float> out(n);
    int pos = 0;
    for (int done = 0; done < n; done += kN) {
      const int len = std::min(kN, n - done);
      for (int i = 0; i < 2 * len; ++i) noise[i] = src(pos++);
      stage.update_params();
      stage.process(out.data() + done, len);
    }
    return out;
  }
  // Gain in dB of a sine at f Hz played through source 1 (noise, level 1).
  double gain_db(double f) {
    set(kSrc1, 1.0);
    set(kLevel1, 1.0);
    set(kLevel2, 0.0);
    settle();
    const int settle_len = static_cast<int>(fs);
    const int n = std::max(static_cast<int>(fs), static_cast<int>(8.0 * fs / f));
    const double step = f / (2.0 * fs);
    std::vector<float> out =
        render(settle_len + n, [&](int i) { return static_cast<float>(std::sin(2.0 * kPi * step * i)); });
    return to_db(tone_amplitude(out.data() + settle_len, n, f / fs));
  }

  double fs;
  zindle_test::FakeDsp registry;
  synth::MixerStage stage;
  float noise[2 * kN] = {};
  int16_t saw1[2 * kN] = {};
  int16_t square1[2 * kN] = {};
  int16_t saw2[2 * kN] = {};
  int16_t square2[2 * kN] = {};
  float audio_mod[2 * kN] = {};
  float ar[kN] = {};
  float adsr[kN] = {};
};

TEST(MixerStage, CutoffsFollowSettingsWithinTheirLimits) {
  struct Case {
    double fs, vcf, mod_octaves, hpf, velo_sens, velocity, probe_hz, expected_db;
  };
  const double vcf_at_fc = -12.04, both_at_fc = -12.04 - 3.01;
  const Case cases[] = {
      {44100, 1000, 0, 16, 0, 1, 1000, vcf_at_fc},
      {44100, 1000, 1, 16, 0, 1, 2000, vcf_at_fc},           // modulation offset
      {44100, 4000, 0, 16, 1, 0.5, 1414.2136, vcf_at_fc},    // velocity: -1.5 octaves
      {44100, 16000, 1, 16, 0, 1, 18522, vcf_at_fc},         // upper limit 0.42 fs
      {44100, 16, -5, 16, 0, 1, 16, both_at_fc},             // lower limit 16 Hz
      {44100, 16000, 1, 20000, 0, 1, 18522, both_at_fc},     // HPF limited as well
      {22050, 16000, 0, 16000, 0, 1, 9261, both_at_fc},
  };
  for (const Case& c : cases) {
    MixerRig rig(c.fs);
    rig.set(kVcfCutoff, c.vcf);
    rig.set(kHpfCutoff, c.hpf);
    rig.set(kVeloVcfSens, c.velo_sens);
    rig.open_vca();
    rig.stage.update_params();
    rig.stage.set_velocity(static_cast<float>(c.velocity));
    rig.stage.set_filter_mod_offset(static_cast<float>(c.mod_octaves));
    EXPECT_NEAR(rig.gain_db(c.probe_hz), c.expected_db, 0.1)
        << "fs " << c.fs << " vcf " << c.vcf << " probe " << c.probe_hz;
  }
}

TEST(MixerStage, AudioRateCutoffModulationReadsTheDoubledRateSignal) {
  // A constant x = 1 scales the cutoff by the cubic's 2.0189, about one
  // octave; odd doubled-rate samples are never read.
  const double cutoff_ratio = 2.0189;
  MixerRig rig;
  rig.set(kVcfCutoff, 1000.0);
  rig.open_vca();
  for (int i = 0; i < 2 * kN; ++i) rig.audio_mod[i] = i % 2 ? -40.0f : 0.5f;
  rig.stage.set_filter_audio_mod(2.0f);
  EXPECT_NEAR(rig.gain_db(1000.0 * cutoff_ratio), -12.04, 0.05);
}

// The generator writes only the buffers the mixer names; whatever the
// others hold must not reach the output.
TEST(MixerStage, OutputNeedsOnlyTheBuffersItNames) {
  namespace out = synth::generator_output;
  int checked = 0;
  for (int choice = 0; choice < 64; ++choice) {
    const double src1 = choice & 1, src2 = (choice >> 1) & 1, src3 = (choice >> 2) & 1;
    const double level1 = (choice >> 3) & 1 ? 0.5 : 0.0;
    const double level2 = (choice >> 4) & 1 ? 0.5 : 0.0;
    const double level3 = (choice >> 5) & 1 ? 0.5 : 0.0;
    MixerRig fresh, stale;
    uint32_t r = 99u;
    for (int i = 0; i < 2 * kN; ++i) {
      r = r * 1664525u + 1013904223u;
      for (MixerRig* rig : {&fresh, &stale}) {
        rig->noise[i] = static_cast<float>(static_cast<int32_t>(r) >> 8) / 8388608.0f;
        rig->saw1[i] = static_cast<int16_t>(r >> 16);
        rig->square1[i] = (r & 0x100u) ? 16384 : -16384;
        rig->saw2[i] = static_cast<int16_t>(r >> 8);
        rig->square2[i] = (r & 0x200u) ? 16384 : -16384;
      }
    }
    std::vector<float> outputs[2];
    for (MixerRig* rig : {&fresh, &stale}) {
      rig->set(kSrc1, src1);
      rig->set(kSrc2, src2);
      rig->set(kSrc3, src3);
      rig->set(kLevel1, level1);
      rig->set(kLevel2, level2);
      rig->set(kLevel3, level3);
      rig->open_vca();
      rig->settle();
    }
    const unsigned read = stale.stage.generator_outputs_read();
    for (int i = 0; i < 2 * kN; ++i) {
      if (!(read & out::kNoise)) stale.noise[i] = std::nanf("");
      if (!(read & out::kVco1Saw)) stale.saw1[i] = 32767;
      if (!(read & out::kVco1Square)) stale.square1[i] = -32768;
      if (!(read & out::kVco2Saw)) stale.saw2[i] = -32768;
      if (!(read & out::kVco2Square)) stale.square2[i] = 32767;
    }
    checked += read != out::kAll;
    for (int k = 0; k < 2; ++k) {
      MixerRig& rig = k == 0 ? fresh : stale;
      outputs[k].resize(kN);
      rig.stage.process(outputs[k].data(), kN);
    }
    EXPECT_EQ(0, std::memcmp(outputs[0].data(), outputs[1].data(), sizeof(float) * kN))
        << "sources " << src1 << src2 << src3 << " levels " << level1 << " " << level2 << " " << level3;
  }
  EXPECT_EQ(checked, 64);
}

}  // namespace
