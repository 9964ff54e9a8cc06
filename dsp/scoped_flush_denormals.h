#pragma once
// Sets flush-to-zero and denormals-are-zero for the scope of a block and
// restores the host's setting afterwards. The plug-in adapter applies it once
// per host block, so nothing below it needs to.

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>
#define ZINDLE_HAS_MXCSR 1
#endif

namespace dsp {

class ScopedFlushDenormals {
public:
#if defined(ZINDLE_HAS_MXCSR)
  ScopedFlushDenormals() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | kFtzDaz); }
  ~ScopedFlushDenormals() { _mm_setcsr(saved_); }
#else
  ScopedFlushDenormals() = default;
#endif
  ScopedFlushDenormals(const ScopedFlushDenormals&) = delete;
  ScopedFlushDenormals& operator=(const ScopedFlushDenormals&) = delete;

private:
#if defined(ZINDLE_HAS_MXCSR)
  static constexpr unsigned kFtzDaz = 0x8040;  // FTZ bit 15, DAZ bit 6
  unsigned saved_;
#endif
};

}  // namespace dsp
