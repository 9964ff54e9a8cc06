#include "sys/tick.h"

#include <windows.h>
#include <mmsystem.h>

namespace sys {

uint32_t get_tick_ms() { return static_cast<uint32_t>(timeGetTime()); }

}  // namespace sys
