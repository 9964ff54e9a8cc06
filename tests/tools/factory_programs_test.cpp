// Plays every factory program of the built-in bank on the notes it is voiced
// for and checks that it sounds: audible, below clipping, finite, and
// different from every other program.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/bank_resource.h"
#include "support/source_files.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

constexpr int kRate = 44100;
constexpr int kLength = kRate * 3 / 2;
constexpr int kBlock = 256;
constexpr int kWindow = kRate / 10;
constexpr double kPeakLimit = 0.891;       // -1 dBFS
constexpr double kSilenceLimit = 0.00316;  // -50 dBFS

struct Range {
  int low = 0;
  int high = 0;
};

double db(double x) { return 20.0 * std::log10(std::max(x, 1e-5)); }

// The "# range: LOW-HIGH" line under each program name.
std::map<std::string, Range> read_ranges(const std::string& text) {
  std::map<std::string, Range> ranges;
  std::istringstream in(text);
  std::string line;
  std::string program;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') program = line.substr(1, line.find(']') - 1);
    Range r;
    if (!program.empty() && std::sscanf(line.c_str(), "# range: %d-%d", &r.low, &r.high) == 2) ranges[program] = r;
  }
  return ranges;
}

struct Render {
  std::vector<float> left;
  std::vector<float> right;
};

// A short phrase: a lone low note, then a middle note joined by a high one
// (two keys held, so duophonic programs split), both released at 1 s.
Render play(const mppi::ProgramSlot& program, Range range) {
  struct Event {
    double seconds;
    int note;
    bool on;
  };
  const int middle = (range.low + range.high) / 2;
  const Event events[] = {{0.0, range.low, true},  {0.30, range.low, false}, {0.35, middle, true},
                          {0.60, range.high, true}, {1.0, middle, false},     {1.0, range.high, false}};

  synth::ZindleDsp dsp;
  dsp.init();
  dsp.start();
  dsp.set_sample_rate(static_cast<float>(kRate));
  dsp.set_all_param_values(program.values.data());

  Render out;
  out.left.assign(kLength, 0.0f);
  out.right.assign(kLength, 0.0f);
  size_t next = 0;
  for (int pos = 0; pos < kLength; pos += kBlock) {
    const int n = std::min(kBlock, kLength - pos);
    for (; next < std::size(events); ++next) {
      const long at = std::lround(events[next].seconds * kRate);
      if (at >= pos + n) break;
      dsp.set_time_stamp(at - pos);
      const int note = events[next].note;
      if (events[next].on) {
        dsp.note_on(0, note, static_cast<float>(note), 0.0f, 127.0f / 64.0f, 1);
      } else {
        dsp.note_off(0, note, 0.5f);
      }
    }
    float* outputs[2] = {out.left.data() + pos, out.right.data() + pos};
    dsp.process_replacing(outputs, nullptr, n, nullptr);
  }
  dsp.stop();
  return out;
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
    ranges_ = read_ranges(zindle_test::read_source_file("resources/presets.txt"));
    ASSERT_FALSE(ranges_.empty()) << "resources/presets.txt not found";
  }

  mppi::BankManager bank_;
  std::map<std::string, Range> ranges_;
};

TEST_F(FactoryPrograms, NamesLeadWithTheClassicsAndFitTheDisplay) {
  EXPECT_EQ(bank_.use_program(0).name, "80sBass");
  EXPECT_EQ(bank_.use_program(1).name, "80s Sequence");
  EXPECT_EQ(bank_.use_program(2).name, "AcademicLead");
  for (int p = 0; p < 64; ++p) {
    const std::string& name = bank_.use_program(p).name;
    EXPECT_LE(name.size(), 22u) << name;
    EXPECT_EQ(bank_.use_program(p).values.size(), 62u) << name;
  }
}

TEST_F(FactoryPrograms, EveryProgramSoundsCleanAndDiffersFromTheOthers) {
  std::vector<std::vector<double>> prints;
  std::vector<std::vector<float>> renders;
  for (int p = 0; p < 64; ++p) {
    const mppi::ProgramSlot& program = bank_.use_program(p);
    SCOPED_TRACE(program.name);
    const auto range = ranges_.find(program.name);
    ASSERT_NE(range, ranges_.end()) << "no '# range:' line";
    ASSERT_LE(range->second.low, range->second.high);

    const Render r = play(program, range->second);
    double peak = 0.0;
    double energy = 0.0;
    int bad = 0;
    for (float s : r.left) {
      if (!std::isfinite(s)) ++bad;
      peak = std::max(peak, double(std::fabs(s)));
      energy += double(s) * s;
    }
    const double rms = std::sqrt(energy / kLength);
    EXPECT_EQ(bad, 0);
    EXPECT_LT(peak, kPeakLimit) << "peak " << db(peak) << " dBFS";
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
