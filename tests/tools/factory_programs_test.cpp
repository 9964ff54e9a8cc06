// Plays every factory program of the built-in bank on the notes it is voiced
// for and checks that it sounds: audible, finite, and different from every
// other program. Levels and tuning are checked by factory_levels_test and
// factory_tuning_test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tests/tools/factory_bank.h"

namespace {

using factory_bank::kRate;
using factory_bank::PlayingNotes;

constexpr int kLength = kRate * 3 / 2;
constexpr int kWindow = kRate / 10;
constexpr double kSilenceLimit = 0.00316;  // -50 dBFS

double db(double x) { return 20.0 * std::log10(std::max(x, 1e-5)); }

// A short phrase: a lone low note, then a middle note joined by a high one
// (two keys held, so duophonic programs split), both released at 1 s.
factory_bank::Stereo play(const mppi::ProgramSlot& program, const PlayingNotes& range) {
  const int middle = (range.low + range.high) / 2;
  return factory_bank::play(program,
                            {{0.0, range.low, 127},
                             {0.30, range.low, 0},
                             {0.35, middle, 127},
                             {0.60, range.high, 127},
                             {1.0, middle, 0},
                             {1.0, range.high, 0}},
                            double(kLength) / kRate);
}

// Level and brightness (level of the first difference) per 100 ms, in dB.
std::vector<double> fingerprint(const std::vector<float>& x) {
  std::vector<double> f;
  for (int start = 0; start + kWindow <= kLength; start += kWindow) {
    double level = 0.0;
    double slope = 0.0;
    for (int i = start; i < start + kWindow; ++i) {
      level += double(x[i]) * x[i];
      const double d = i > 0 ? double(x[i]) - x[i - 1] : 0.0;
      slope += d * d;
    }
    f.push_back(db(std::sqrt(level / kWindow)));
    f.push_back(db(std::sqrt(slope / kWindow)));
  }
  return f;
}

double mean_abs_difference(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0.0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::fabs(a[i] - b[i]);
  return sum / static_cast<double>(a.size());
}

class FactoryPrograms : public ::testing::Test {
protected:
  void SetUp() override {
    synth::register_builtin_banks();
    ASSERT_EQ(mppi::load_bank_resource("static_presets", bank_), 0);
    ASSERT_EQ(bank_.get_nbr_programs(), 64);
    notes_ = factory_bank::read_playing_notes(factory_bank::read_presets_source());
    ASSERT_FALSE(notes_.empty()) << "resources/presets.txt not found";
  }

  mppi::BankManager bank_;
  std::map<std::string, PlayingNotes> notes_;
};

TEST_F(FactoryPrograms, EveryProgramSoundsCleanAndDiffersFromTheOthers) {
  std::vector<std::vector<double>> prints;
  std::vector<std::vector<float>> renders;
  for (int p = 0; p < 64; ++p) {
    const mppi::ProgramSlot& program = bank_.use_program(p);
    SCOPED_TRACE(program.name);
    const auto range = notes_.find(program.name);
    ASSERT_NE(range, notes_.end()) << "not in resources/presets.txt";
    ASSERT_GT(range->second.low, 0) << "no '# range:' line";
    ASSERT_LE(range->second.low, range->second.high);

    const factory_bank::Stereo r = play(program, range->second);
    double energy = 0.0;
    int bad = 0;
    for (float s : r.left) {
      if (!std::isfinite(s)) ++bad;
      energy += double(s) * s;
    }
    const double rms = std::sqrt(energy / kLength);
    EXPECT_EQ(bad, 0);
    EXPECT_GT(rms, kSilenceLimit) << "rms " << db(rms) << " dBFS";
    EXPECT_TRUE(r.left == r.right) << "both outputs carry the one voice";
    prints.push_back(fingerprint(r.left));
    renders.push_back(r.left);
  }

  // A copied block or a setting that does nothing shows up as a near twin.
  for (size_t a = 0; a < prints.size(); ++a) {
    for (size_t b = a + 1; b < prints.size(); ++b) {
      EXPECT_NE(renders[a], renders[b]) << bank_.use_program(int(a)).name << " / " << bank_.use_program(int(b)).name;
      EXPECT_GT(mean_abs_difference(prints[a], prints[b]), 1.0)
          << bank_.use_program(int(a)).name << " sounds like " << bank_.use_program(int(b)).name;
    }
  }
}

}  // namespace
