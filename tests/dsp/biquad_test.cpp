#include "dsp/biquad_designer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "support/signal_measure.h"

namespace {

using zindle_test::to_db;
using zindle_test::tone_amplitude;

constexpr float kFs = 44100.0f;
constexpr float kButterworthQ = 0.70710677f;
using zindle_test::kPi;

struct ResponseCase {
  int type;
  float shape1;
  float shape2;
  float fc;
  double f;
  double expected_db;
  bool fast;
};

double render_gain_db(dsp::BiquadDesigner& bq, double f) {
  // At least eight periods after a settling second.
  const int n = std::max(44100, static_cast<int>(8.0 * kFs / f));
  const int settle = 44100;
  std::vector<float> in = zindle_test::sine(settle + n, f / kFs), out(in.size());
  bq.process(in.data(), out.data(), static_cast<int>(in.size()));
  return to_db(tone_amplitude(out.data() + settle, n, f / kFs));
}

// Second-order Butterworth high-pass at the prewarped frequency.
double butterworth_hp_db(double f, double fc) {
  const double w = std::tan(kPi * f / kFs) / std::tan(kPi * fc / kFs);
  return to_db(w * w / std::sqrt(1.0 + w * w * w * w));
}

TEST(Biquad, DesignedResponsesHaveTheirGainsAtChosenFrequencies) {
  const double minus3 = to_db(std::sqrt(0.5));
  const ResponseCase cases[] = {
      {0, kButterworthQ, 1.0f, 1000.0f, 1000.0, minus3, false},
      {0, kButterworthQ, 1.0f, 1000.0f, 1000.0, minus3, true},
      {0, kButterworthQ, 1.0f, 1000.0f, 50.0, 0.0, false},
      {0, 4.0f, 1.0f, 1000.0f, 1000.0, to_db(4.0), false},      // resonant peak = Q
      {1, kButterworthQ, 1.0f, 1000.0f, 20000.0, 0.0, false},
      {2, 1.0f, 1.0f, 2000.0f, 2000.0, 0.0, false},             // constructed: flat
      {2, 1.0f, 1.0f, 2000.0f, 100.0, 0.0, false},
      {2, 2.0f, 1.0f, 2000.0f, 2000.0, to_db(2.0), false},      // peak gain shape1
      {2, 2.0f, 1.0f, 2000.0f, 20.0, 0.0, false},
      {3, 0.5f, 2.0f, 3000.0f, 3000.0, to_db(0.5), false},      // band-pass peak
      {3, 0.5f, 2.0f, 3000.0f, 30.0, to_db(0.25 * 0.01), false},
  };
  std::vector<ResponseCase> all(std::begin(cases), std::end(cases));
  // The 16 Hz high-pass (-3.01 dB at 16 Hz itself).
  for (double f : {4.0, 16.0, 32.0, 15000.0}) {
    all.push_back({1, kButterworthQ, 1.0f, 16.0f, f, butterworth_hp_db(f, 16.0), false});
  }
  for (const ResponseCase& c : all) {
    dsp::BiquadDesigner bq;
    if (c.type != dsp::BiquadDesigner::kPeak) bq.set_type(c.type);
    bq.set_shape(c.shape1, c.shape2);
    bq.set_sample_rate(kFs);
    bq.set_cutoff(c.fc);
    c.fast ? bq.update_coefs_fast() : bq.update_coefs();
    // Float coefficients move the high-pass's double zero at DC a little.
    const double tol = c.expected_db < -40.0 ? 0.2 : c.f < c.fc && c.type == 1 ? 0.15 : 0.02;
    EXPECT_NEAR(render_gain_db(bq, c.f), c.expected_db, tol)
        << "type " << c.type << " f " << c.f << (c.fast ? " fast" : "");
  }
}

}  // namespace
