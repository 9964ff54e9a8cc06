#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "tools/render/wav_writer.h"

using namespace zindle_render;

namespace {

uint32_t u32_at(const std::vector<uint8_t>& b, size_t i) {
  return b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) | (static_cast<uint32_t>(b[i + 3]) << 24);
}

}  // namespace

TEST(WavWriter, Pcm16HeaderAndSamples) {
  const std::vector<float> left = {0.0f, 1.0f, -1.0f, 2.0f};
  const std::vector<float> right = {0.5f, -0.5f, std::numeric_limits<float>::quiet_NaN(), -3.0f};
  const auto wav = encode_wav(left, right, 48000, WavFormat::Pcm16);
  ASSERT_EQ(wav.size(), 44u + 4 * 2 * 2);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  EXPECT_EQ(u32_at(wav, 4), wav.size() - 8);
  EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(wav[20], 1);                 // PCM
  EXPECT_EQ(wav[22], 2);                 // stereo
  EXPECT_EQ(u32_at(wav, 24), 48000u);
  EXPECT_EQ(u32_at(wav, 28), 48000u * 4);  // byte rate
  EXPECT_EQ(wav[34], 16);
  EXPECT_EQ(u32_at(wav, 40), 16u);
  // Interleaved L/R, little-endian, clipped, NaN written as silence.
  const int16_t expected[] = {0, 16384, 32767, -16384, -32767, 0, 32767, -32767};
  for (int i = 0; i < 8; ++i) {
    const int16_t s = static_cast<int16_t>(wav[44 + 2 * i] | (wav[45 + 2 * i] << 8));
    EXPECT_EQ(s, expected[i]) << "sample " << i;
  }
}
