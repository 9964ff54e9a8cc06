#include "dsp/ladder_vcf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "support/signal_measure.h"

namespace {

using zindle_test::tone_amplitude;
using zindle_test::to_db;

constexpr float kFs = 44100.0f;
using zindle_test::kPi;

dsp::LadderVcf make_vcf(float fc, float r) {
  dsp::LadderVcf vcf;
  vcf.set_resonance(r);
  vcf.set_cutoff(fc);
  vcf.set_sample_rate(kFs);
  return vcf;
}

// |1 / ((1 + s)^4 + 4.05 r)| at the analogue frequency that the bilinear
// transform maps to f.
double ladder_gain(double f, double fc, double r) {
  const double w = std::tan(kPi * f / kFs) / std::tan(kPi * fc / kFs);
  const std::complex<double> s(0.0, w);
  return 1.0 / std::abs(std::pow(1.0 + s, 4) + 4.05 * r);
}

double measured_gain(dsp::LadderVcf& vcf, double f, double amplitude, int settle, int n,
                     bool fast = false) {
  std::vector<float> buf = zindle_test::sine(settle + n, f / kFs, amplitude);
  if (fast) {
    for (float& v : buf) {
      vcf.update_coefs_fast();
      v = vcf.process_sample(v);
    }
  } else {
    vcf.process(buf.data(), static_cast<int>(buf.size()));
  }
  return tone_amplitude(buf.data() + settle, n, f / kFs) / amplitude;
}

TEST(LadderVcf, SmallSignalResponseMatchesLadderDesign) {
  struct GainCase {
    float fc;
    float r;
    double f;
    bool fast;
  };
  const GainCase cases[] = {
      {1000.0f, 0.0f, 1000.0, false},   // -12 dB at the cutoff
      {1000.0f, 0.0f, 4000.0, false},   {1000.0f, 0.0f, 1000.0, true},
      {5000.0f, 0.9f, 250.0, false},    {18522.0f, 0.0f, 1000.0, false},
  };
  for (const GainCase& c : cases) {
    dsp::LadderVcf vcf = make_vcf(c.fc, c.r);
    const double got = measured_gain(vcf, c.f, 0.1, 22050, 44100, c.fast);
    EXPECT_NEAR(to_db(got), to_db(ladder_gain(c.f, c.fc, c.r)), 0.05)
        << "fc " << c.fc << " r " << c.r << " f " << c.f << (c.fast ? " fast" : "");
  }
}

TEST(LadderVcf, PassbandGainAtFullResonance) {
  // Beyond self-oscillation the poles grow slowly enough at a low cutoff to
  // measure the passband before saturation.
  dsp::LadderVcf vcf = make_vcf(200.0f, 1.0f);
  EXPECT_NEAR(measured_gain(vcf, 10.0, 0.001, 4410, 8820), 1.0 / 5.05, 0.003);
}

TEST(LadderVcf, ResonanceChangeTakesEffectInNextBlock) {
  dsp::LadderVcf vcf = make_vcf(1000.0f, 0.0f);
  vcf.set_resonance(0.5f);  // no explicit redesign
  EXPECT_NEAR(measured_gain(vcf, 100.0, 0.1, 22050, 22050), ladder_gain(100.0, 1000.0, 0.5), 0.001);
}

TEST(LadderVcf, FullResonanceRingsUpToABoundedOscillationAtTheCutoff) {
  for (float fc : {500.0f, 2000.0f}) {
    dsp::LadderVcf vcf = make_vcf(fc, 1.0f);
    std::vector<float> buf(4 * 44100, 0.0f);
    buf[0] = 1.0f;
    vcf.process(buf.data(), static_cast<int>(buf.size()));
    const float* tail = buf.data() + 3 * 44100;
    const float p = zindle_test::peak(tail, 44100);
    EXPECT_GT(p, 0.5f) << fc;
    EXPECT_LT(p, 10.0f) << fc;
    int crossings = 0;
    for (int i = 1; i < 44100; ++i) crossings += (tail[i - 1] < 0.0f && tail[i] >= 0.0f);
    // The saturation inside the recursion pulls the pole angle up by a
    // roughly constant 20-30 Hz.
    EXPECT_GE(crossings, fc) << fc;
    EXPECT_LE(crossings, 1.03 * fc + 30.0) << fc;
  }
}

TEST(LadderVcf, SurvivesExtremeInputsAndSettings) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  const float cutoffs[] = {16.0f, 1000.0f, 18522.0f};
  const float resonances[] = {0.0f, 0.5f, 1.0f};
  const float scales[] = {0.0f, 1.0f, 1e4f, 1e9f};
  for (float fc : cutoffs) {
    for (float r : resonances) {
      for (float scale : scales) {
        dsp::LadderVcf vcf = make_vcf(fc, r);
        std::vector<float> buf(8192);
        for (int i = 0; i < 8192; ++i) buf[i] = scale * (i % 512 < 256 ? unit(rng) : (i % 2 ? 1.0f : -1.0f));
        vcf.process(buf.data(), 8192);
        for (float v : buf) {
          ASSERT_TRUE(std::isfinite(v)) << fc << " " << r << " " << scale;
          ASSERT_LT(std::fabs(v), 1e4f) << fc << " " << r << " " << scale;
        }
      }
    }
  }
}

}  // namespace
