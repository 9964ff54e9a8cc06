#pragma once
// Keeps the host's x87 precision setting across a call into the plug-in:
// read on entry, written back on exit (also when an exception leaves).
// Only 32-bit Windows hosts run x87 code that depends on it; elsewhere the
// guard does nothing.

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#include <float.h>
#define ZINDLE_X87_PRECISION_GUARD 1
#endif

namespace mppi {

class FpuPrecisionGuard {
public:
#if defined(ZINDLE_X87_PRECISION_GUARD)
  FpuPrecisionGuard() : saved_(_controlfp(0, 0) & _MCW_PC) {}
  ~FpuPrecisionGuard() { _controlfp(saved_, _MCW_PC); }
#else
  FpuPrecisionGuard() {}   // user-provided: a guard object is never "unused"
  ~FpuPrecisionGuard() {}
#endif
  FpuPrecisionGuard(const FpuPrecisionGuard&) = delete;
  FpuPrecisionGuard& operator=(const FpuPrecisionGuard&) = delete;

private:
#if defined(ZINDLE_X87_PRECISION_GUARD)
  unsigned int saved_;
#endif
};

}  // namespace mppi
