// zindle-render run as users run it: on the built plug-in file.
#ifdef ZINDLE_RENDER_EXE

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/signal_measure.h"

namespace {

int run(const std::string& args) {
  const std::string command = std::string(ZINDLE_RENDER_EXE) + " --plugin " + ZINDLE_PLUGIN_FILE + " " + args +
                              " > /dev/null 2>&1";
  return std::system(command.c_str());
}

// Left channel of a 32-bit float stereo WAV written by zindle-render.
std::vector<float> read_left(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> left;
  for (size_t i = 44; i + 8 <= bytes.size(); i += 8) {
    float x;
    std::memcpy(&x, &bytes[i], 4);
    left.push_back(x);
  }
  return left;
}

// Level of one frequency over a window.
double magnitude_at(const std::vector<float>& x, size_t start, size_t length, double hz, double rate) {
  return zindle_test::tone_amplitude(x.data() + start, static_cast<int>(length), hz / rate);
}

double note_hz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

}  // namespace

TEST(RenderPlugin, MidiFilePlaysItsNotesAtTheirPitches) {
  const std::string out = std::string(ZINDLE_TEST_OUT_DIR) + "/three_notes.wav";
  ASSERT_EQ(run(std::string(ZINDLE_TEST_DATA_DIR) + "/three_notes.mid --program \"Init Patch\" --float -o " + out), 0);
  const std::vector<float> left = read_left(out);
  ASSERT_GT(left.size(), 44100u * 3 / 2);
  // Notes 60, 64, 67 each play for 0.5 s from 0, 0.5 and 1.0 s.
  const int notes[] = {60, 64, 67};
  for (int k = 0; k < 3; ++k) {
    const size_t start = static_cast<size_t>((0.5 * k + 0.1) * 44100);
    const size_t length = 8192;
    const double own = magnitude_at(left, start, length, note_hz(notes[k]), 44100.0);
    for (int other : notes) {
      if (other == notes[k]) continue;
      EXPECT_GT(own, 10.0 * magnitude_at(left, start, length, note_hz(other), 44100.0))
          << "note " << notes[k] << " against " << other;
    }
  }
}

TEST(RenderPlugin, RefusesMissingAndMalformedInput) {
  const std::string out = std::string(ZINDLE_TEST_OUT_DIR) + "/refused.wav";
  EXPECT_NE(run("/no/such/file.mid -o " + out), 0);
  const std::string bad = std::string(ZINDLE_TEST_OUT_DIR) + "/bad.mid";
  std::ofstream(bad) << "MThd this is not a MIDI file";
  EXPECT_NE(run(bad + " -o " + out), 0);
  EXPECT_NE(run("--demo --program \"No Such Program\" -o " + out), 0);
  const std::string command = std::string(ZINDLE_RENDER_EXE) + " --demo --plugin /no/such/plugin.so -o " + out +
                              " > /dev/null 2>&1";
  EXPECT_NE(std::system(command.c_str()), 0);
}

#endif
