#pragma once
// Pitch is counted in units of 1/65536 octave from MIDI note 0.

#include <cmath>

namespace synth {

// A key stands for key * kKeyPitchUnits (the float nearest 65536 / 12).
constexpr float kKeyPitchUnits = 5461.33349609375f;
// Key intervals and tuning offsets use the integer semitone.
constexpr int kSemitonePitchUnits = 5461;

// floor(x + 0.5) for every result an int holds. Truncation, one step down
// below a negative non-integer, is floor without the rounding instruction
// that SSE2 lacks (the library's floor costs a dozen instructions there).
inline int round_half_up(double x) {
  const double y = x + 0.5;
  const int truncated = static_cast<int>(y);
  return static_cast<double>(truncated) > y ? truncated - 1 : truncated;
}

inline float key_to_pitch(int key) { return static_cast<float>(key) * kKeyPitchUnits; }

}  // namespace synth
