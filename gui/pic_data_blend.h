#pragma once
// Pixel arithmetic shared by pictures, fonts and the canvas, on 0xUURRGGBB
// words. Blends keep the destination's unused byte.

#include <cstdint>

namespace pengui {

// Each of blue, green and red becomes d + ((p - d) * a >> 8); a is 0..255.
// The shift floors, so a blend towards a darker colour rounds down too.
inline uint32_t mix_pixel(uint32_t d, uint32_t p, int a) {
  uint32_t out = d & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const int dc = static_cast<int>((d >> shift) & 0xFFu);
    const int pc = static_cast<int>((p >> shift) & 0xFFu);
    out |= static_cast<uint32_t>(dc + (((pc - dc) * a) >> 8)) << shift;
  }
  return out;
}

// Alpha draw: 0 leaves the destination, 255 copies the source word whole.
inline uint32_t blend_pixel(uint32_t d, uint32_t p, int a) {
  if (a <= 0) return d;
  if (a >= 255) return p;
  return mix_pixel(d, p, a);
}

// d * p >> 8 for blue, green and red; the destination's unused byte stays.
inline uint32_t multiply_pixel(uint32_t d, uint32_t p) {
  uint32_t out = d & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t dc = (d >> shift) & 0xFFu;
    const uint32_t pc = (p >> shift) & 0xFFu;
    out |= ((dc * pc) >> 8) << shift;
  }
  return out;
}

}  // namespace pengui
