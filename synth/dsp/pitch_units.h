#pragma once
// Pitch is counted in units of 1/65536 octave from MIDI note 0.

#include <cmath>

namespace synth {

// A key stands for key * kKeyPitchUnits (the float nearest 65536 / 12).
constexpr float kKeyPitchUnits = 5461.33349609375f;
// Key intervals and tuning offsets use the integer semitone.
constexpr int kSemitonePitchUnits = 5461;

inline int round_half_up(double x) { return static_cast<int>(std::floor(x + 0.5)); }

inline float key_to_pitch(int key) { return static_cast<float>(key) * kKeyPitchUnits; }

}  // namespace synth
