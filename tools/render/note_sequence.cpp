#include "tools/render/note_sequence.h"

#include <algorithm>

namespace zindle_render {
namespace {

void add_note(NoteSequence& seq, double start, double length, int note, int velocity) {
  seq.push_back({start, 0x90, static_cast<uint8_t>(note), static_cast<uint8_t>(velocity)});
  seq.push_back({start + length, 0x80, static_cast<uint8_t>(note), 64});
}

}  // namespace

NoteSequence demo_sequence() {
  NoteSequence seq;
  const double beat = 0.25;  // 120 bpm in eighths
  const int line[] = {45, 48, 52, 57, 55, 52, 50, 48, 45, 52, 57, 60, 64, 60, 57, 52};
  double t = 0.0;
  for (int note : line) {
    add_note(seq, t, beat * 0.8, note, 100);
    t += beat;
  }
  // Two held keys: the duophonic pair plays both.
  add_note(seq, t, 1.5, 57, 110);
  add_note(seq, t + 0.5, 1.0, 64, 90);
  t += 2.0;
  // A held note with a bend up and back.
  add_note(seq, t, 1.5, 52, 120);
  for (int i = 0; i <= 8; ++i) {
    const int value = 8192 + i * 512;
    seq.push_back({t + 0.3 + i * 0.05, 0xE0, static_cast<uint8_t>(value & 127),
                   static_cast<uint8_t>(std::min(127, value >> 7))});
  }
  seq.push_back({t + 1.2, 0xE0, 0, 64});
  std::stable_sort(seq.begin(), seq.end(),
                   [](const TimedMessage& a, const TimedMessage& b) { return a.seconds < b.seconds; });
  return seq;
}

double sequence_length(const NoteSequence& sequence) {
  return sequence.empty() ? 0.0 : sequence.back().seconds;
}

}  // namespace zindle_render
