#include "tools/render/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace zindle_render {
namespace {

void put_u16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  put_u16(out, v & 0xFFFF);
  put_u16(out, v >> 16);
}

void put_tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

int16_t to_pcm16(float x) {
  if (!std::isfinite(x)) return 0;
  const float clamped = std::clamp(x, -1.0f, 1.0f);
  return static_cast<int16_t>(std::lround(clamped * 32767.0f));
}

}  // namespace

std::vector<uint8_t> encode_wav(const std::vector<float>& left, const std::vector<float>& right,
                                int sample_rate, WavFormat format) {
  const size_t frames = std::min(left.size(), right.size());
  const uint32_t channels = 2;
  const uint32_t bytes_per_sample = format == WavFormat::Pcm16 ? 2 : 4;
  const uint32_t data_size = static_cast<uint32_t>(frames * channels * bytes_per_sample);

  std::vector<uint8_t> out;
  out.reserve(44 + data_size);
  put_tag(out, "RIFF");
  put_u32(out, 36 + data_size);
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, format == WavFormat::Pcm16 ? 1 : 3);
  put_u16(out, channels);
  put_u32(out, static_cast<uint32_t>(sample_rate));
  put_u32(out, static_cast<uint32_t>(sample_rate) * channels * bytes_per_sample);
  put_u16(out, channels * bytes_per_sample);
  put_u16(out, bytes_per_sample * 8);
  put_tag(out, "data");
  put_u32(out, data_size);
  for (size_t i = 0; i < frames; ++i) {
    for (float x : {left[i], right[i]}) {
      if (format == WavFormat::Pcm16) {
        put_u16(out, static_cast<uint16_t>(to_pcm16(x)));
      } else {
        uint32_t bits = 0;
        std::memcpy(&bits, &x, 4);
        put_u32(out, bits);
      }
    }
  }
  return out;
}

std::string write_wav(const std::string& path, const std::vector<float>& left,
                      const std::vector<float>& right, int sample_rate, WavFormat format) {
  const std::vector<uint8_t> image = encode_wav(left, right, sample_rate, format);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return "cannot open '" + path + "' for writing";
  file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (!file) return "cannot write '" + path + "'";
  return {};
}

}  // namespace zindle_render
