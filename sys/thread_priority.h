#pragma once

namespace sys {

// Lowers the calling thread to the lowest normal priority level.
void lower_current_thread_priority();

}  // namespace sys
