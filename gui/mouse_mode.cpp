#include <atomic>

#include "gui/window.h"

namespace pengui {

namespace {
// One switch for every editor of the process, as the setup menu offers it.
std::atomic<bool> enhanced_mouse_mode{true};
}  // namespace

bool is_enhanced_mouse_mode() { return enhanced_mouse_mode.load(std::memory_order_relaxed); }

void set_enhanced_mouse_mode(bool enhanced) { enhanced_mouse_mode.store(enhanced, std::memory_order_relaxed); }

}  // namespace pengui
