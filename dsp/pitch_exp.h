#pragma once
// Integer 2^x for pitches in 1/65536 octave, shared by the oscillators.

#include <cmath>
#include <cstdint>

namespace dsp {

// 2^(u / 2^32) for a fractional octave u, with 1.0 = 2^31 (result < 2^32).
inline uint32_t exp2_fraction(uint32_t u) {
  const uint64_t x = u;
  uint64_t r = (x * 28633115u) >> 32;
  r = ((r + 114532461u) * x) >> 32;
  r = ((r + 515396075u) * x) >> 32;
  r = ((r + 1488921996u) * x) >> 32;
  return static_cast<uint32_t>(r + 0x80000000u);
}

// For a pitch difference d: frequency ratio = (mantissa / 2^31) * 2^-octaves.
struct PitchExp {
  uint32_t mantissa;
  int octaves;
};

inline PitchExp pitch_exp(int d) {
  const uint32_t u = (static_cast<uint32_t>(d) & 0xFFFFu) << 16;
  return {exp2_fraction(u), (65535 - d) >> 16};
}

// Pitch (65536 per octave from MIDI note 0, which is 440 Hz * 2^-5.75) of
// the Nyquist frequency at the given rendering rate.
inline int nyquist_pitch(float sample_rate) {
  const float nyquist = sample_rate / 2;
  const auto octaves = static_cast<float>(std::log2(static_cast<double>(nyquist) / 440.0) + 5.75);
  return static_cast<int>(std::floor(static_cast<double>(octaves) * 65536.0 + 0.5));
}

}  // namespace dsp
