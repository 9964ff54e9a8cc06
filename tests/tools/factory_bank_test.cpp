// Every factory program of the built-in bank, played on the notes it is
// voiced for (resources/presets.txt): clean, unlike the others, about as
// loud as the others, below -1 dBFS, louder when struck harder where meant
// to be, and in tune within 15 cents.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dsp/fft_real.h"
#include "framework/core/bank_manager.h"
#include "framework/core/bank_resource.h"
#include "support/signal_measure.h"
#include "support/source_files.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/zindle_dsp.h"
#include "tools/render/audition_report.h"
#include "tools/render/loudness.h"
#include "tools/render/note_sequence.h"

namespace {

constexpr int kRate = 44100;
using zindle_test::kPi;

// What the comment lines under a program's name say about playing it.
struct PlayingNotes {
  int low = 0;  // "# range: LOW-HIGH", MIDI notes
  int high = 0;
  bool pitched = true;  // "# pitched: no" for percussion, noise and effects
  bool touch = false;   // "# touch: yes": loudness follows velocity
};

std::map<std::string, PlayingNotes> read_playing_notes() {
  std::map<std::string, PlayingNotes> notes;
  std::istringstream in(zindle_test::read_source_file("resources/presets.txt"));
  std::string line;
  std::string program;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') program = line.substr(1, line.find(']') - 1);
    if (program.empty()) continue;
    PlayingNotes& n = notes[program];
    char answer[8] = {};
    if (std::sscanf(line.c_str(), "# range: %d-%d", &n.low, &n.high) == 2) continue;
    if (std::sscanf(line.c_str(), "# pitched: %7s", answer) == 1) n.pitched = std::string(answer) != "no";
    if (std::sscanf(line.c_str(), "# touch: %7s", answer) == 1) n.touch = std::string(answer) == "yes";
  }
  return notes;
}

struct NoteEvent {
  double seconds;
  int note;
  int velocity;  // 0 for a note-off
};

// A fresh instance plays `events` for `seconds` in blocks of 256, as a host
// would; velocities reach the synth as MIDI input does.
std::vector<float> play(const mppi::ProgramSlot& program, const std::vector<NoteEvent>& events, double seconds,
                        std::vector<float>* right = nullptr) {
  constexpr int kBlock = 256;
  const int length = static_cast<int>(std::lround(seconds * kRate));
  synth::ZindleDsp dsp;
  dsp.init();
  dsp.start();
  dsp.set_sample_rate(static_cast<float>(kRate));
  dsp.set_tempo(120.0f);
  dsp.set_all_param_values(program.values.data());
  std::vector<float> left(length, 0.0f);
  std::vector<float> other(length, 0.0f);
  size_t next = 0;
  for (int pos = 0; pos < length; pos += kBlock) {
    const int n = std::min(kBlock, length - pos);
    for (; next < events.size() && std::lround(events[next].seconds * kRate) < pos + n; ++next) {
      const NoteEvent& e = events[next];
      dsp.set_time_stamp(std::lround(e.seconds * kRate) - pos);
      if (e.velocity > 0) {
        dsp.note_on(0, e.note, static_cast<float>(e.note), 0.0f, e.velocity / 64.0f, 1);
      } else {
        dsp.note_off(0, e.note, 1.0f);
      }
    }
    float* outputs[2] = {left.data() + pos, other.data() + pos};
    dsp.process_replacing(outputs, nullptr, n, nullptr);
  }
  dsp.stop();
  if (right != nullptr) *right = std::move(other);
  return left;
}

double db(double x) { return 20.0 * std::log10(std::max(x, 1e-5)); }

double rms_db(const std::vector<float>& x, size_t from = 0, size_t length = 0) {
  return db(zindle_test::rms(x.data() + from, length > 0 ? length : x.size() - from));
}

// Level and brightness (level of the first difference) per 100 ms, in dB:
// a copied block or a setting that does nothing shows up as a near twin.
std::vector<double> fingerprint(const std::vector<float>& x) {
  std::vector<float> slope(x.size(), 0.0f);
  for (size_t i = 1; i < x.size(); ++i) slope[i] = x[i] - x[i - 1];
  std::vector<double> f;
  for (size_t start = 0; start + kRate / 10 <= x.size(); start += kRate / 10) {
    f.push_back(rms_db(x, start, kRate / 10));
    f.push_back(rms_db(slope, start, kRate / 10));
  }
  return f;
}

double note_hz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Pitch near `hz` in cents over 2.97 s from `from`: the power-weighted mean
// frequency within a semitone, so that beating detuned oscillators and
// tremolo sidebands read as the pitch between them. `tonality`: dB of the
// strongest bin over the band's median.
double pitch_cents(const std::vector<float>& x, size_t from, double hz, double& tonality) {
  constexpr long kSpan = 1L << 17;
  std::vector<double> segment(kSpan, 0.0);
  for (long i = 0; i < kSpan && from + i < x.size(); ++i)
    segment[i] = x[from + i] * (0.5 - 0.5 * std::cos(2.0 * kPi * i / kSpan));
  std::vector<double> spectrum(kSpan);
  dsp::FFTReal<double>(kSpan).forward(spectrum.data(), segment.data());
  const double bin_hz = double(kRate) / kSpan;
  const long first = std::max(std::lround(hz * std::pow(2.0, -1.0 / 12.0) / bin_hz), 1L);
  const long last = std::min(std::lround(hz * std::pow(2.0, 1.0 / 12.0) / bin_hz), kSpan / 2 - 1);
  double weight = 0.0;
  double moment = 0.0;
  std::vector<double> powers;
  for (long k = first; k <= last; ++k) {
    const double power = spectrum[k] * spectrum[k] + spectrum[kSpan / 2 + k] * spectrum[kSpan / 2 + k];
    weight += power;
    moment += power * k * bin_hz;
    powers.push_back(power);
  }
  std::sort(powers.begin(), powers.end());
  tonality = 10.0 * std::log10((powers.back() + 1e-30) / (powers[powers.size() / 2] + 1e-30));
  return weight > 0.0 ? 1200.0 * std::log2(moment / weight / hz) : -1200.0;
}

}  // namespace

TEST(FactoryBank, EveryProgramIsCleanDistinctLevelledAndInTune) {
  synth::register_builtin_banks();
  mppi::BankManager bank;
  ASSERT_EQ(mppi::load_bank_resource("static_presets", bank), 0);
  ASSERT_EQ(bank.get_nbr_programs(), 64);
  const std::map<std::string, PlayingNotes> notes = read_playing_notes();
  ASSERT_FALSE(notes.empty()) << "resources/presets.txt not found";
  std::vector<NoteEvent> audition;  // the phrase zindle-render --audition plays
  for (const zindle_render::TimedMessage& m : zindle_render::audition_phrase(0.0))
    audition.push_back({m.seconds, m.data1, (m.status & 0xF0) == 0x90 ? int(m.data2) : 0});

  std::vector<zindle_render::ProgramLoudness> table;
  std::vector<double> lufs;
  std::vector<std::vector<float>> renders;
  int touch_programs = 0;
  int pitched_programs = 0;
  for (int p = 0; p < 64; ++p) {
    const mppi::ProgramSlot& program = bank.use_program(p);
    SCOPED_TRACE(program.name);
    const auto found = notes.find(program.name);
    ASSERT_NE(found, notes.end()) << "not in resources/presets.txt";
    const PlayingNotes& range = found->second;
    ASSERT_GT(range.low, 0) << "no '# range:' line";
    ASSERT_LE(range.low, range.high);
    const int middle = (range.low + range.high) / 2;

    // A lone low note, then two keys held so that duophonic programs split.
    std::vector<float> right;
    renders.push_back(play(program,
                           {{0.0, range.low, 127}, {0.3, range.low, 0}, {0.35, middle, 127},
                            {0.6, range.high, 127}, {1.0, middle, 0}, {1.0, range.high, 0}},
                           1.5, &right));
    EXPECT_TRUE(zindle_test::all_finite(renders.back()));
    EXPECT_GT(rms_db(renders.back()), -50.0);
    EXPECT_TRUE(renders.back() == right) << "both outputs carry the one voice";

    std::vector<float> left = play(program, audition, zindle_render::kAuditionSeconds, &right);
    table.push_back({program.name, zindle_render::measure_loudness(left, right, kRate)});
    lufs.push_back(table.back().reading.integrated_lufs);

    for (const auto& [a, b] : {std::pair{range.low, range.high}, std::pair{middle, std::min(middle + 7, range.high)}}) {
      if (a == b) continue;
      left = play(program, {{0.0, a, 127}, {0.02, b, 127}, {1.5, a, 0}, {1.5, b, 0}}, 2.5, &right);
      EXPECT_LE(zindle_render::highest_peak_dbfs(zindle_render::measure_loudness(left, right, kRate)), -1.0)
          << "notes " << a << " and " << b << " at full velocity";
    }

    // Struck at 127 a touch program is at least 6 dB louder than at 40; the
    // others may brighten with velocity but keep their level within 3 dB.
    const auto level_at = [&](int velocity) { return rms_db(play(program, {{0.0, middle, velocity}, {0.8, middle, 0}}, 1.2)); };
    const double rise = level_at(127) - level_at(40);
    touch_programs += range.touch;
    if (range.touch) {
      EXPECT_GE(rise, 6.0);
    } else {
      EXPECT_LT(std::fabs(rise), 3.0);
    }

    if (!range.pitched) continue;
    ++pitched_programs;
    for (int note = range.low;; note = std::min(note + 8, range.high)) {
      // Pressed a second time, so that any glide into the first press is over.
      left = play(program, {{0.0, note, 100}, {0.3, note, 0}, {0.35, note, 100}, {3.5, note, 0}}, 3.5);
      double tonality = 0.0;
      const double cents = pitch_cents(left, static_cast<size_t>(0.45 * kRate), note_hz(note), tonality);
      EXPECT_GE(tonality, 20.0) << "note " << note << ": no tone at the note's pitch";
      EXPECT_LE(std::fabs(cents), 15.0) << "note " << note << ": " << cents << " cents";
      if (note == range.high) break;
    }
  }
  EXPECT_GE(touch_programs, 16) << "basses, leads, plucks and brass";
  EXPECT_GE(pitched_programs, 32);

  for (size_t a = 0; a < renders.size(); ++a) {
    for (size_t b = a + 1; b < renders.size(); ++b) {
      double difference = 0.0;
      const std::vector<double> fa = fingerprint(renders[a]);
      const std::vector<double> fb = fingerprint(renders[b]);
      for (size_t i = 0; i < fa.size(); ++i) difference += std::fabs(fa[i] - fb[i]) / double(fa.size());
      EXPECT_GT(difference, 1.0) << bank.use_program(int(a)).name << " sounds like " << bank.use_program(int(b)).name;
    }
  }

  if (!table.front().reading.metered) return;  // built without the loudness meter (libebur128)
  const double median = zindle_render::loudness_spread(lufs).median;
  for (const auto& row : table) EXPECT_NEAR(row.reading.integrated_lufs, median, 3.0) << row.name << " on its audition";
  if (HasFailure()) std::fputs(zindle_render::format_audition_table(table).c_str(), stdout);
}
