#include "sys/thread_priority.h"

#include <windows.h>

namespace sys {

void lower_current_thread_priority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST); }

}  // namespace sys
