#pragma once
// Table interpolators working on 32.32 fixed-point phases, integer only.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dsp {
namespace Interpolator {

// Four-point Catmull-Rom curve through samples index-1 .. index+2.
struct CubicHermite {
  template <typename T>
  static int32_t read(const T* level, uint64_t phase) {
    const T* p = level + static_cast<int32_t>(phase >> 32);
    const int32_t y0 = p[-1];
    const int32_t y1 = p[0];
    const int32_t y2 = p[1];
    const int32_t y3 = p[2];
    const int64_t t = static_cast<uint32_t>(phase) >> 1;  // fraction * 2^31

    const int32_t s = y2 - y0;
    const int32_t m = 2 * (y1 - y2);
    const int32_t pp = s + m;
    const int32_t q = y3 - y1 + m;
    int64_t k = (static_cast<int64_t>(2 * (pp + q)) * t) >> 32;
    k = (((k - (q + 2 * pp)) * t) >> 32) * 2;
    return static_cast<int32_t>(((s + k) * t) >> 32) + y1;
  }

  // Four readings at once, each equal to read(level, phase[i]). For 16-bit
  // samples every intermediate of read fits 32 bits (|2 (pp + q)| < 2^20,
  // the later factors less), so SSE2 lanes can hold them; the 64-bit
  // products are only ever shifted down by 32.
  template <typename T>
  static void read4(const T* level, const uint64_t phase[4], int32_t out[4]) {
#if defined(__SSE2__)
    static_assert(sizeof(T) == 2, "the lane arithmetic reads 16-bit samples");
    // Each lane's four neighbours in one 64-bit load, then transposed into
    // one register per neighbour and widened with their sign.
    const __m128i ab = _mm_unpacklo_epi16(load4(level, phase[0]), load4(level, phase[1]));
    const __m128i cd = _mm_unpacklo_epi16(load4(level, phase[2]), load4(level, phase[3]));
    const __m128i y01 = _mm_unpacklo_epi32(ab, cd);
    const __m128i y23 = _mm_unpackhi_epi32(ab, cd);
    const __m128i y0 = _mm_srai_epi32(_mm_unpacklo_epi16(y01, y01), 16);
    const __m128i y1 = _mm_srai_epi32(_mm_unpackhi_epi16(y01, y01), 16);
    const __m128i y2 = _mm_srai_epi32(_mm_unpacklo_epi16(y23, y23), 16);
    const __m128i y3 = _mm_srai_epi32(_mm_unpackhi_epi16(y23, y23), 16);
    const __m128i t = _mm_setr_epi32(static_cast<int32_t>(static_cast<uint32_t>(phase[0]) >> 1),
                                     static_cast<int32_t>(static_cast<uint32_t>(phase[1]) >> 1),
                                     static_cast<int32_t>(static_cast<uint32_t>(phase[2]) >> 1),
                                     static_cast<int32_t>(static_cast<uint32_t>(phase[3]) >> 1));

    const __m128i s = _mm_sub_epi32(y2, y0);
    const __m128i d = _mm_sub_epi32(y1, y2);
    const __m128i m = _mm_add_epi32(d, d);
    const __m128i pp = _mm_add_epi32(s, m);
    const __m128i q = _mm_add_epi32(_mm_sub_epi32(y3, y1), m);
    const __m128i sum = _mm_add_epi32(pp, q);
    __m128i k = mul_high(_mm_add_epi32(sum, sum), t);
    k = mul_high(_mm_sub_epi32(k, _mm_add_epi32(q, _mm_add_epi32(pp, pp))), t);
    k = _mm_add_epi32(k, k);
    const __m128i r = _mm_add_epi32(mul_high(_mm_add_epi32(s, k), t), y1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), r);
#else
    for (int i = 0; i < 4; ++i) out[i] = read(level, phase[i]);
#endif
  }

private:
#if defined(__SSE2__)
  // Samples index-1 .. index+2 in the low 64 bits.
  template <typename T>
  static __m128i load4(const T* level, uint64_t phase) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(level + static_cast<int32_t>(phase >> 32) - 1));
  }

  // Lane by lane (a * t) >> 32 of the signed 64-bit product, for
  // 0 <= t < 2^31: the high half of the unsigned product, less t where a is
  // negative (a read as unsigned is a + 2^32).
  static __m128i mul_high(__m128i a, __m128i t) {
    const __m128i even = _mm_mul_epu32(a, t);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(t, 32));
    const __m128i high = _mm_or_si128(_mm_srli_epi64(even, 32),
                                      _mm_and_si128(odd, _mm_set_epi32(-1, 0, -1, 0)));
    return _mm_sub_epi32(high, _mm_and_si128(_mm_srai_epi32(a, 31), t));
  }
#endif
};

}  // namespace Interpolator
}  // namespace dsp
