#pragma once
// Writes interleaved stereo audio to a RIFF/WAVE file, as 16-bit PCM or
// 32-bit IEEE float.

#include <cstdint>
#include <string>
#include <vector>

namespace zindle_render {

enum class WavFormat { Pcm16, Float32 };

// Returns an empty string on success, else a message for the user.
std::string write_wav(const std::string& path, const std::vector<float>& left,
                      const std::vector<float>& right, int sample_rate, WavFormat format);

// The file image itself, for tests and for writing.
std::vector<uint8_t> encode_wav(const std::vector<float>& left, const std::vector<float>& right,
                                int sample_rate, WavFormat format);

}  // namespace zindle_render
