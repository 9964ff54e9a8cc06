#pragma once
// A list of timed MIDI channel messages, in seconds, ready to be played.

#include <cstdint>
#include <vector>

namespace zindle_render {

struct TimedMessage {
  double seconds = 0.0;
  uint8_t status = 0;  // channel message status byte
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

using NoteSequence = std::vector<TimedMessage>;

// A short phrase: a duophonic line with held notes, a bend and a run.
NoteSequence demo_sequence();

// A short phrase for auditioning one program, starting at `start` seconds;
// it lasts kAuditionSeconds including its release.
constexpr double kAuditionSeconds = 3.0;
NoteSequence audition_phrase(double start);

// Length of a sequence: the time of its last message.
double sequence_length(const NoteSequence& sequence);

}  // namespace zindle_render
