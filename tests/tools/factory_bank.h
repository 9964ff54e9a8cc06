#pragma once
// The factory programs as the bank tests see them: the built-in bank, the
// notes each program is voiced for (from resources/presets.txt), and a
// fresh synth instance playing timed notes on one program.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/bank_resource.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/zindle_dsp.h"

namespace factory_bank {

constexpr int kRate = 44100;

// What the comment lines under a program's name say about playing it.
struct PlayingNotes {
  int low = 0;  // "# range: LOW-HIGH", MIDI notes
  int high = 0;
  bool pitched = true;  // "# pitched: no" for percussion, noise and effects
  bool touch = false;   // "# touch: yes": loudness follows velocity
};

inline std::string read_presets_source() {
  std::vector<std::string> candidates;
  if (const char* data = std::getenv("ZINDLE_TEST_DATA")) {
    candidates.push_back(std::string(data) + "/../resources/presets.txt");
    candidates.push_back(std::string(data) + "/../../resources/presets.txt");
  }
  const std::string here = __FILE__;
  const auto tests = here.rfind("/tests/");
  if (tests != std::string::npos) candidates.push_back(here.substr(0, tests) + "/resources/presets.txt");
  for (const std::string& path : candidates) {
    std::ifstream in(path);
    if (in) return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return {};
}

inline std::map<std::string, PlayingNotes> read_playing_notes(const std::string& text) {
  std::map<std::string, PlayingNotes> notes;
  std::istringstream in(text);
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
  int velocity;  // MIDI 1..127 for a note-on, 0 for a note-off
};

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;
};

// A fresh instance plays `events` on the program for `seconds`, in blocks
// of 256 as a host would; velocities reach the synth as MIDI input does.
inline Stereo play(const mppi::ProgramSlot& program, const std::vector<NoteEvent>& events, double seconds) {
  constexpr int kBlock = 256;
  const int length = static_cast<int>(std::lround(seconds * kRate));
  synth::ZindleDsp dsp;
  dsp.init();
  dsp.start();
  dsp.set_sample_rate(static_cast<float>(kRate));
  dsp.set_tempo(120.0f);
  dsp.set_all_param_values(program.values.data());

  Stereo out;
  out.left.assign(length, 0.0f);
  out.right.assign(length, 0.0f);
  size_t next = 0;
  for (int pos = 0; pos < length; pos += kBlock) {
    const int n = std::min(kBlock, length - pos);
    for (; next < events.size(); ++next) {
      const long at = std::lround(events[next].seconds * kRate);
      if (at >= pos + n) break;
      dsp.set_time_stamp(at - pos);
      const NoteEvent& e = events[next];
      if (e.velocity > 0) {
        dsp.note_on(0, e.note, static_cast<float>(e.note), 0.0f, e.velocity / 64.0f, 1);
      } else {
        dsp.note_off(0, e.note, 1.0f);
      }
    }
    float* outputs[2] = {out.left.data() + pos, out.right.data() + pos};
    dsp.process_replacing(outputs, nullptr, n, nullptr);
  }
  dsp.stop();
  return out;
}

}  // namespace factory_bank
