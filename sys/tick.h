#pragma once
#include <cstdint>

namespace sys {

// Milliseconds from an arbitrary start, wrapping at 2^32 like the system's
// multimedia timer.
uint32_t get_tick_ms();

// The tick in seconds, as the parameter arbitration reads it.
inline double get_tick_seconds() { return static_cast<double>(get_tick_ms()) * 0.001; }

}  // namespace sys
