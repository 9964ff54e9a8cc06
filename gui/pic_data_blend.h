#pragma once
// Pixel arithmetic shared by pictures, fonts and the canvas, on 0xUURRGGBB
// words. Blends keep the destination's unused byte.

#include <cstdint>

namespace pengui {

// Each of blue, green and red becomes d + ((p - d) * a >> 8); a is 0..255.
// The shift floors, so a blend towards a darker colour rounds down too.
// As d * 256 is a whole multiple of 256, that equals
// (d * (256 - a) + p * a) >> 8, which has no negative terms and lets red and
// blue share one multiply (each fits in 16 bits).
inline uint32_t mix_pixel(uint32_t d, uint32_t p, int a) {
  const uint32_t ua = static_cast<uint32_t>(a);
  const uint32_t da = 256u - ua;
  const uint32_t rb = (((d & 0x00FF00FFu) * da + (p & 0x00FF00FFu) * ua) >> 8) & 0x00FF00FFu;
  const uint32_t g = (((d & 0x0000FF00u) * da + (p & 0x0000FF00u) * ua) >> 8) & 0x0000FF00u;
  return (d & 0xFF000000u) | rb | g;
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
