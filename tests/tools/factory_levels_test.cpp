// The factory bank's levels: every program about as loud as the others on
// its audition phrase, none above -1 dBFS when played hardest, and the
// programs meant to be played with touch louder when struck harder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/tools/factory_bank.h"
#include "tools/render/audition_report.h"
#include "tools/render/loudness.h"
#include "tools/render/note_sequence.h"

namespace {

using factory_bank::kRate;
using factory_bank::NoteEvent;
using factory_bank::PlayingNotes;

constexpr double kWindowLu = 3.0;
constexpr double kCeilingDbfs = -1.0;
constexpr int kFullVelocity = 127;

// The phrase zindle-render --audition plays on each program.
std::vector<NoteEvent> audition_events() {
  std::vector<NoteEvent> events;
  for (const zindle_render::TimedMessage& m : zindle_render::audition_phrase(0.0)) {
    const bool on = (m.status & 0xF0) == 0x90 && m.data2 > 0;
    events.push_back({m.seconds, m.data1, on ? int(m.data2) : 0});
  }
  return events;
}

double rms_db(const std::vector<float>& x) {
  double energy = 0.0;
  for (float s : x) energy += double(s) * s;
  return 10.0 * std::log10(std::max(energy / double(x.size()), 1e-30));
}

class FactoryLevels : public ::testing::Test {
protected:
  void SetUp() override {
    synth::register_builtin_banks();
    ASSERT_EQ(mppi::load_bank_resource("static_presets", bank_), 0);
    ASSERT_EQ(bank_.get_nbr_programs(), 64);
    notes_ = factory_bank::read_playing_notes(factory_bank::read_presets_source());
    ASSERT_FALSE(notes_.empty()) << "resources/presets.txt not found";
  }

  const PlayingNotes& notes_of(const std::string& name) { return notes_[name]; }

  mppi::BankManager bank_;
  std::map<std::string, PlayingNotes> notes_;
};

TEST_F(FactoryLevels, EveryProgramIsWithin3LuOfTheBankMedianOnItsAudition) {
  std::vector<zindle_render::ProgramLoudness> table;
  std::vector<double> lufs;
  for (int p = 0; p < 64; ++p) {
    const mppi::ProgramSlot& program = bank_.use_program(p);
    const factory_bank::Stereo out = factory_bank::play(program, audition_events(), zindle_render::kAuditionSeconds);
    table.push_back({program.name, zindle_render::measure_loudness(out.left, out.right, kRate)});
    if (!table.back().reading.metered) GTEST_SKIP() << "built without the loudness meter (libebur128)";
    lufs.push_back(table.back().reading.integrated_lufs);
  }
  const double median = zindle_render::loudness_spread(lufs).median;
  for (const auto& row : table) {
    EXPECT_NEAR(row.reading.integrated_lufs, median, kWindowLu) << row.name;
  }
  if (HasFailure()) std::fputs(zindle_render::format_audition_table(table).c_str(), stdout);
}

TEST_F(FactoryLevels, NoProgramPeaksAboveMinus1DbfsWithTwoKeysHeldAtFullVelocity) {
  for (int p = 0; p < 64; ++p) {
    const mppi::ProgramSlot& program = bank_.use_program(p);
    const PlayingNotes& range = notes_of(program.name);
    ASSERT_GT(range.high, 0) << program.name << ": no '# range:' line";
    const int middle = (range.low + range.high) / 2;
    const std::pair<int, int> pairs[] = {{range.low, range.high}, {middle, std::min(middle + 7, range.high)}};
    for (const auto& [a, b] : pairs) {
      if (a == b) continue;
      const factory_bank::Stereo out = factory_bank::play(
          program, {{0.0, a, kFullVelocity}, {0.02, b, kFullVelocity}, {1.5, a, 0}, {1.5, b, 0}}, 2.5);
      const double peak = zindle_render::highest_peak_dbfs(zindle_render::measure_loudness(out.left, out.right, kRate));
      EXPECT_LE(peak, kCeilingDbfs) << program.name << " on notes " << a << " and " << b;
    }
  }
}

// Struck at 127 a touch program is at least 6 dB louder than at 40; the
// others may brighten with velocity but keep their level within 3 dB.
TEST_F(FactoryLevels, TouchProgramsFollowVelocity) {
  int touch_programs = 0;
  for (int p = 0; p < 64; ++p) {
    const mppi::ProgramSlot& program = bank_.use_program(p);
    const PlayingNotes& range = notes_of(program.name);
    const int middle = (range.low + range.high) / 2;
    const auto level_at = [&](int velocity) {
      return rms_db(factory_bank::play(program, {{0.0, middle, velocity}, {0.8, middle, 0}}, 1.2).left);
    };
    const double rise = level_at(kFullVelocity) - level_at(40);
    if (range.touch) {
      ++touch_programs;
      EXPECT_GE(rise, 6.0) << program.name;
    } else {
      EXPECT_LT(std::fabs(rise), 3.0) << program.name;
    }
  }
  EXPECT_GE(touch_programs, 16) << "basses, leads, plucks and brass";
}

}  // namespace
