#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dsp/fft_real.h"
#include "support/fake_dsp.h"
#include "support/signal_measure.h"
#include "synth/dsp/noise_gen.h"

namespace {

constexpr double kFs = 88200.0;  // the doubled rate of a 44.1 kHz host
using zindle_test::kPi;

// Mean power density (dB) in the octave bands centred on `centres`, from an
// averaged Hann-windowed periodogram.
std::vector<double> octave_densities(const std::vector<float>& x, const std::vector<double>& centres) {
  const size_t n = 4096;
  const dsp::FFTReal<double> fft(n);  // checked on its own by the dsp tests
  std::vector<double> power(n / 2, 0.0);
  std::vector<double> frame(n);
  std::vector<double> spectrum(n);
  for (size_t start = 0; start + n <= x.size(); start += n) {
    for (size_t i = 0; i < n; ++i) frame[i] = x[start + i] * (0.5 - 0.5 * std::cos(2 * kPi * double(i) / n));
    fft.forward(spectrum.data(), frame.data());
    for (size_t k = 1; k < n / 2; ++k) power[k] += spectrum[k] * spectrum[k] + spectrum[n / 2 + k] * spectrum[n / 2 + k];
  }
  std::vector<double> result;
  for (const double f : centres) {
    double sum = 0.0;
    int bins = 0;
    for (size_t k = 1; k < n / 2; ++k) {
      const double fk = double(k) * kFs / n;
      if (fk >= f / std::sqrt(2.0) && fk < f * std::sqrt(2.0)) {
        sum += power[k];
        ++bins;
      }
    }
    result.push_back(10 * std::log10(sum / bins));
  }
  return result;
}

// Least-squares slope in dB per octave over equally spaced octaves.
double slope_per_octave(const std::vector<double>& db) {
  const double n = double(db.size());
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (size_t i = 0; i < db.size(); ++i) {
    sx += double(i);
    sy += db[i];
    sxx += double(i) * double(i);
    sxy += double(i) * db[i];
  }
  return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

struct NoiseRig {
  explicit NoiseRig(double type) {
    gen.create_params(registry);
    gen.set_sample_rate(kFs);
    registry.change(0, type);
    gen.update();
  }
  zindle_test::FakeDsp registry;
  synth::NoiseGen gen;
};

TEST(NoiseGen, SpectrumSlopes) {
  struct Case { double type; std::vector<double> centres; double slope_min; double slope_max; };
  const Case cases[] = {
      {0.0, {250, 500, 1000, 2000, 4000, 8000}, -3.6, -2.4},  // pink
      {1.0, {500, 1000, 2000, 4000}, -0.8, 0.8},              // white
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    NoiseRig rig(c.type);
    EXPECT_EQ(rig.gen.is_pink(), c.type == 0.0);
    std::vector<float> x(1 << 19);
    for (size_t pos = 0; pos < x.size(); pos += 512) rig.gen.generate(x.data() + pos, 512);
    const double slope = slope_per_octave(octave_densities(x, c.centres));
    RecordProperty(c.type == 0.0 ? "pink_db_per_octave" : "white_db_per_octave", std::to_string(slope));
    EXPECT_GT(slope, c.slope_min);
    EXPECT_LT(slope, c.slope_max);
  }
}

}  // namespace
