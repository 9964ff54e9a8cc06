#pragma once
// A time-stamped event of the audio side: what the MIDI receiver queued, to be
// applied at its sample position inside the current block.

#include <cstdint>

namespace synth {

struct SynthEvent {
  enum Kind : int32_t {
    kNoteOn = 0,
    kNoteOff = 1,
    kKeyPressure = 2,  // queued, ignored when applied
    kPitchBend = 3,
    kBendRange = 4,
    kAllNotesOff = 5,
  };

  int32_t kind = kNoteOn;
  int32_t time_stamp = 0;
  int32_t channel = 0;
  int32_t note = 0;
  float value_a = 0.0f;   // note on: pitch; off/pressure: velocity; bend: value
  float value_b = 0.0f;   // note on only
  float velocity = 0.0f;  // note on only: MIDI velocity / 64
  uint8_t flag = 0;       // note on only
};

}  // namespace synth
