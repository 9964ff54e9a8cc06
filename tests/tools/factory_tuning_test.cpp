// The factory programs meant to be played as pitched tones play in tune,
// within 15 cents, across the notes they are voiced for.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "dsp/fft_real.h"
#include "tests/tools/factory_bank.h"

namespace {

using factory_bank::kRate;
using factory_bank::PlayingNotes;

constexpr double kToleranceCents = 15.0;
constexpr double kToneAboveNoiseDb = 20.0;
constexpr double kPi = 3.14159265358979323846;

double note_hz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

constexpr long kSpan = 1L << 17;  // 2.97 s at 44.1 kHz: 0.34 Hz between bins

// Pitch near `hz` in cents: the power-weighted mean frequency within a
// semitone, so beating detuned oscillators and tremolo sidebands read as
// the pitch between them. `tonality`: dB of the strongest bin over the
// band's median (noise stays below 20 dB).
double pitch_cents(const std::vector<float>& x, size_t from, double hz, double* tonality = nullptr) {
  std::vector<double> segment(kSpan, 0.0);
  for (long i = 0; i < kSpan && from + i < x.size(); ++i)
    segment[i] = x[from + i] * (0.5 - 0.5 * std::cos(2.0 * kPi * i / kSpan));
  std::vector<double> spectrum(kSpan);
  dsp::FFTReal<double>(kSpan).forward(spectrum.data(), segment.data());
  const double bin_hz = double(kRate) / kSpan;
  const long first = std::lround(hz * std::pow(2.0, -100.0 / 1200.0) / bin_hz);
  const long last = std::min(std::lround(hz * std::pow(2.0, 100.0 / 1200.0) / bin_hz), kSpan / 2 - 1);
  double weight = 0.0;
  double moment = 0.0;
  std::vector<double> powers;
  for (long k = std::max(first, 1L); k <= last; ++k) {
    const double power = spectrum[k] * spectrum[k] + spectrum[kSpan / 2 + k] * spectrum[kSpan / 2 + k];
    weight += power;
    moment += power * k * bin_hz;
    powers.push_back(power);
  }
  if (tonality != nullptr) {
    std::sort(powers.begin(), powers.end());
    *tonality = 10.0 * std::log10((powers.back() + 1e-30) / (powers[powers.size() / 2] + 1e-30));
  }
  return weight > 0.0 ? 1200.0 * std::log2(moment / weight / hz) : -1200.0;
}

// A note held from a fresh instance, pressed a second time so that any
// glide into the first press is over; measured over 3 s of the second.
double played_cents(const mppi::ProgramSlot& program, int note, double* tonality) {
  const factory_bank::Stereo out =
      factory_bank::play(program, {{0.0, note, 100}, {0.3, note, 0}, {0.35, note, 100}, {3.5, note, 0}}, 3.5);
  return pitch_cents(out.left, static_cast<size_t>(0.45 * kRate), note_hz(note), tonality);
}

// Band-limited (harmonics below 6 kHz), so that no alias lands near the note.
std::vector<float> sawtooth(double hz, double seconds, double amplitude) {
  std::vector<float> saw(static_cast<size_t>(seconds * kRate), 0.0f);
  for (int k = 1; k * hz < 6000.0; ++k) {
    const std::complex<double> step = std::polar(1.0, 2.0 * kPi * k * hz / kRate);
    std::complex<double> phasor = 1.0;
    for (float& s : saw) {
      s += float(amplitude * 0.6 * phasor.imag() / k);
      phasor *= step;
    }
  }
  return saw;
}

TEST(FactoryTuningMeasure, FindsThePitchOfKnownTones) {
  struct Case {
    int note;
    double cents;        // of the first sawtooth
    double other_cents;  // of a second one
    double other_level;  // its amplitude relative to the first, 0 for none
    double expected;
    double tremolo_hz = 0.0;  // full-depth amplitude modulation
  };
  const Case cases[] = {
      {40, 9.0, 0.0, 0.0, 9.0},
      {84, -3.0, 0.0, 0.0, -3.0},
      {60, 0.0, -24.0, 1.0, -12.0},  // equal pair beating 3.6 times a second: between them
      {28, 0.0, 12.0, 1.0, 6.0},     // a 3.5 s beat, longer than the span
      {48, 0.0, 10.0, 0.316, 0.9},   // a quieter partner pulls by its share of the power
      {45, 5.0, 0.0, 0.0, 5.0, 4.0},  // sidebands 63 cents either side
  };
  for (const Case& c : cases) {
    std::vector<float> tone = sawtooth(note_hz(c.note) * std::pow(2.0, c.cents / 1200.0), 3.5, 0.4);
    const std::vector<float> other =
        sawtooth(note_hz(c.note) * std::pow(2.0, c.other_cents / 1200.0), 3.5, 0.4 * c.other_level);
    for (size_t i = 0; i < tone.size(); ++i) {
      tone[i] += other[i];
      if (c.tremolo_hz > 0.0) tone[i] *= float(0.5 - 0.5 * std::cos(2.0 * kPi * c.tremolo_hz * i / kRate));
    }
    double tonality = 0.0;
    EXPECT_NEAR(pitch_cents(tone, 4410, note_hz(c.note), &tonality), c.expected, 1.0) << "note " << c.note;
    EXPECT_GT(tonality, kToneAboveNoiseDb + 10.0) << "note " << c.note;
  }
}

TEST(FactoryTuning, PitchedProgramsPlayInTuneOverTheirRange) {
  synth::register_builtin_banks();
  mppi::BankManager bank;
  ASSERT_EQ(mppi::load_bank_resource("static_presets", bank), 0);
  std::map<std::string, PlayingNotes> notes = factory_bank::read_playing_notes(factory_bank::read_presets_source());
  ASSERT_FALSE(notes.empty()) << "resources/presets.txt not found";

  int pitched = 0;
  for (int p = 0; p < bank.get_nbr_programs(); ++p) {
    const mppi::ProgramSlot& program = bank.use_program(p);
    const PlayingNotes& range = notes[program.name];
    ASSERT_GT(range.high, 0) << program.name << ": no '# range:' line";
    if (!range.pitched) continue;
    ++pitched;
    for (int note = range.low;; note = std::min(note + 8, range.high)) {
      double tonality = 0.0;
      const double cents = played_cents(program, note, &tonality);
      EXPECT_GE(tonality, kToneAboveNoiseDb) << program.name << " note " << note << ": no tone at the note's pitch";
      EXPECT_LE(std::fabs(cents), kToleranceCents) << program.name << " note " << note << ": " << cents << " cents";
      if (note == range.high) break;
    }
  }
  EXPECT_GE(pitched, 32);
}

}  // namespace
