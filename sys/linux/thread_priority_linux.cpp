#include "sys/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sys {

void lower_current_thread_priority() {
  // On Linux the nice value is per thread; two steps down matches the
  // "lowest" level of the other platform. Failure only costs priority.
  const auto tid = static_cast<id_t>(syscall(SYS_gettid));
  const int current = getpriority(PRIO_PROCESS, tid);
  (void)setpriority(PRIO_PROCESS, tid, current + 2);
}

}  // namespace sys
