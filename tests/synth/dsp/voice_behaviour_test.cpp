// Voice behaviour heard at the outputs of the DSP object: glide and bend
// measured as frequencies, the reference tone, the silent path, and the end
// of the object's working life.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using zindle_test::DspHarness;

constexpr double kPi = 3.14159265358979323846;
constexpr int kPortamento = 12;
constexpr int kArAtkTime = 27;
constexpr int kArRelTime = 28;
constexpr int kNoiseType = 41;
constexpr int kMixSrc1 = 47;
constexpr int kMix1Lvl = 50;
constexpr int kMix2Lvl = 51;
constexpr int kMix3Lvl = 52;
constexpr int kVcfFreq = 53;
constexpr int kVcfReso = 54;
constexpr int kVcaGain = 56;
constexpr int kVcaEnvLvl = 58;
constexpr int kA440 = 61;
constexpr double kA440Pitch = 376832.0;  // key 69 in pitch units

// Interpolated times of the rising zero crossings.
std::vector<double> rising_crossings(const std::vector<float>& x, size_t from, size_t to) {
  std::vector<double> times;
  for (size_t i = std::max<size_t>(from, 1); i < std::min(to, x.size()); ++i) {
    if (x[i - 1] < 0.0f && x[i] >= 0.0f) {
      times.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
    }
  }
  return times;
}

double mean_frequency(const std::vector<float>& x, size_t from, size_t to, double sample_rate) {
  const std::vector<double> t = rising_crossings(x, from, to);
  if (t.size() < 2) return 0.0;
  return static_cast<double>(t.size() - 1) * sample_rate / (t.back() - t.front());
}

double pitch_of(double freq) { return kA440Pitch + 65536.0 * std::log2(freq / 440.0); }

// VCO 1 saw alone through a low cutoff (near-sine), VCA open without envelope.
void open_filtered_vco1(DspHarness& h, double cutoff) {
  h.change(kMix1Lvl, 0.0);
  h.change(kMix2Lvl, 1.0);
  h.change(kMix3Lvl, 0.0);
  h.change(kVcfFreq, cutoff);
  h.change(kVcaGain, 1.0);
  h.change(kVcaEnvLvl, 0.0);
}

// A bright, noisy patch gated by the AR envelope with the VCA gain at 0.
void rich_gated_patch(DspHarness& h) {
  h.change(kMixSrc1, 1.0);  // noise
  h.change(kMix1Lvl, 0.5);
  h.change(kMix2Lvl, 1.0);
  h.change(kMix3Lvl, 1.0);
  h.change(kVcfReso, 0.9);
  h.change(kVcfFreq, 3000.0);
  h.change(kNoiseType, 1.0);
  h.change(kVcaGain, 0.0);
  h.change(kVcaEnvLvl, 1.0);
  h.change(kArAtkTime, 0.005);
  h.change(kArRelTime, 0.01);
}

TEST(VoiceBehaviour, PortamentoReaches99PercentOfTheIntervalInTheGlideTime) {
  // Key 57 (220 Hz) glides to key 69 (440 Hz). Rendered in 32-sample blocks
  // so that the pitch is updated often; frequency measured period by period.
  DspHarness h;
  open_filtered_vco1(h, 600.0);
  h.change(kPortamento, 0.1);
  std::vector<float> out;
  for (int i = 0; i < 441; ++i) {  // 0.32 s: settles the cutoff ramp
    h.render(32);
    out.insert(out.end(), h.left.begin(), h.left.end());
  }
  const size_t note_at = out.size();
  h.note_on(0, 69);
  for (int i = 0; i < 300; ++i) {
    h.render(32);
    out.insert(out.end(), h.left.begin(), h.left.end());
  }
  const double glide_samples = h.dsp.get_synth_core().get_glide().get_time() * 44100.0;
  ASSERT_NEAR(glide_samples, 4410.0, 0.5);
  const double start = pitch_of(220.0);
  const double interval = kA440Pitch - start;
  EXPECT_NEAR(pitch_of(mean_frequency(out, note_at - 8000, note_at, 44100.0)), start, 5.0);

  const std::vector<double> t = rising_crossings(out, note_at, out.size());
  double reached_99 = -1.0;
  double fraction_at_half = -1.0;
  for (size_t k = 1; k < t.size(); ++k) {
    const double mid = 0.5 * (t[k] + t[k - 1]) - static_cast<double>(note_at);
    const double fraction_left = (kA440Pitch - pitch_of(44100.0 / (t[k] - t[k - 1]))) / interval;
    if (fraction_at_half < 0.0 && mid >= 0.5 * glide_samples) fraction_at_half = fraction_left;
    if (reached_99 < 0.0 && fraction_left <= 0.01) reached_99 = mid;
  }
  // Exponential: a tenth of the interval is left halfway through.
  EXPECT_NEAR(fraction_at_half, 0.1, 0.01);
  // 1 % left at the glide time; allowing for the filter delay and update steps.
  EXPECT_NEAR(reached_99, glide_samples, 0.05 * glide_samples);
  // And it arrives: the last 0.05 s is at 440 Hz.
  EXPECT_NEAR(mean_frequency(out, out.size() - 2205, out.size(), 44100.0), 440.0, 0.05);
}

TEST(VoiceBehaviour, PitchBendWithRangeTwelveMovesAnOctave) {
  struct Case {
    int data1;
    int data2;
    double freq;
  };
  const Case cases[] = {
      {0, 0, 220.0},                                       // full down: one octave
      {0, 64, 440.0},                                      // centre
      {127, 127, 440.0 * std::pow(2.0, 8191.0 / 8192.0)},  // full up: 8191/8192 octave
  };
  for (const Case& c : cases) {
    DspHarness h;
    open_filtered_vco1(h, 1.2 * c.freq);
    h.dsp.rpn(0, 0, 12 * 128);
    h.note_on(0, 69);
    h.dsp.channel_message(0, 14, c.data1, c.data2);
    h.render(44100);
    const double freq = mean_frequency(h.left, 13230, h.left.size(), 44100.0);
    EXPECT_NEAR(freq, c.freq, c.freq * 2e-4) << c.data2;
  }
}

TEST(VoiceBehaviour, ReferenceToneSoundsWhileTheVcaIsClosed) {
  for (float rate : {44100.0f, 96000.0f}) {
    DspHarness h(rate);
    h.change(kVcaGain, 0.0);
    h.change(kA440, 1.0);
    const int n = static_cast<int>(rate);
    h.render(n);
    double peak = 0.0;
    double early_error = 0.0;
    for (int i = 0; i < n; ++i) {
      const double v = h.left[static_cast<size_t>(i)];
      peak = std::max(peak, std::fabs(v));
      if (i < 2000) {
        const double ideal = 0.5 * std::sin(2.0 * kPi * 440.0 * i / rate);
        early_error = std::max(early_error, std::fabs(v - ideal));
      }
    }
    EXPECT_LT(early_error, 1e-4) << rate;
    EXPECT_NEAR(peak, 0.5, 1e-4) << rate;
    EXPECT_NEAR(mean_frequency(h.left, 0, h.left.size(), rate), 440.0, 440.0 * 1e-5) << rate;
    EXPECT_TRUE(std::equal(h.left.begin(), h.left.end(), h.right.begin())) << rate;

    h.change(kA440, 0.0);
    h.render(512);
    EXPECT_TRUE(std::all_of(h.left.begin(), h.left.end(), [](float v) { return v == 0.0f; }))
        << rate;
  }
}

TEST(VoiceBehaviour, SilentVoiceIsSkippedAndExactlyZero) {
  // After the release the stages are not run at all: a voice silent for
  // longer then plays its next note exactly like one silent for less.
  constexpr int kBlock = 256;
  std::vector<float> second_note[2];
  const int silent_blocks[2] = {40, 87};
  for (int v = 0; v < 2; ++v) {
    DspHarness h;
    rich_gated_patch(h);
    h.render(kBlock);
    h.note_on(0, 57);
    h.render(kBlock * 8);
    double sounding = 0.0;
    for (float x : h.left) sounding = std::max(sounding, std::fabs(static_cast<double>(x)));
    EXPECT_GT(sounding, 0.1);
    h.note_off(0, 57);
    h.render(kBlock * 8);  // release of 10 ms ends well inside
    for (int b = 0; b < silent_blocks[v]; ++b) {
      h.render(kBlock);
      ASSERT_TRUE(std::all_of(h.left.begin(), h.left.end(), [](float x) { return x == 0.0f; }))
          << b;
      ASSERT_TRUE(std::all_of(h.right.begin(), h.right.end(), [](float x) { return x == 0.0f; }));
    }
    h.note_on(0, 57);
    h.render(kBlock * 8);
    second_note[v] = h.left;
  }
  for (size_t i = 0; i < second_note[0].size(); ++i) {
    ASSERT_EQ(second_note[0][i], second_note[1][i]) << i;
  }
}

TEST(VoiceBehaviour, OpenVcaWithoutSourcesGivesTheGuardPatternOnly) {
  struct Case {
    double cutoff;
    double resonance;
  };
  const Case cases[] = {{16000.0, 0.0}, {16000.0, 0.9}, {100.0, 0.9}, {16.0, 0.9}};
  for (const Case& c : cases) {
    DspHarness h;
    h.change(kMix1Lvl, 0.0);
    h.change(kMix2Lvl, 0.0);
    h.change(kMix3Lvl, 0.0);
    h.change(kVcfFreq, c.cutoff);
    h.change(kVcfReso, c.resonance);
    h.change(kVcaGain, 1.0);
    int nonzero = 0;
    double peak = 0.0;
    for (int b = 0; b < 20; ++b) {
      h.render(4410);
      for (float x : h.left) {
        ASSERT_TRUE(std::isfinite(x)) << c.cutoff << " " << c.resonance;
        ASSERT_NE(std::fpclassify(x), FP_SUBNORMAL) << c.cutoff << " " << c.resonance;
        peak = std::max(peak, std::fabs(static_cast<double>(x)));
        if (x != 0.0f) ++nonzero;
      }
    }
    EXPECT_LT(peak, 1e-7) << c.cutoff << " " << c.resonance;
    // The pattern keeps flowing through the filters: the voice is not skipped.
    EXPECT_GT(nonzero, 20 * 4410 / 2) << c.cutoff << " " << c.resonance;
  }
}

TEST(VoiceBehaviour, StopReleasesTheParametersAndDestructionIsClean) {
  auto h = std::make_unique<DspHarness>();
  h->change(kNoiseType, 1.0);
  h->change(kMix1Lvl, 1.0);
  h->change(kVcaGain, 1.0);
  h->note_on(0, 60);
  h->render(1024);
  const synth::NoiseGen& noise = h->dsp.get_synth_core().get_generator_stage().use_noise_gen();
  EXPECT_TRUE(noise.has_noise_type());
  EXPECT_FALSE(noise.is_pink());

  h->dsp.stop();
  EXPECT_FALSE(noise.has_noise_type());
  EXPECT_TRUE(noise.is_pink());
  EXPECT_EQ(h->dsp.get_nbr_registered_params(), 0);
  h->dsp.stop();  // a second stop finds nothing left to release
  EXPECT_EQ(h->dsp.get_nbr_registered_params(), 0);
  h.reset();  // under the address sanitizer: no use after free, no leak
}

}  // namespace
