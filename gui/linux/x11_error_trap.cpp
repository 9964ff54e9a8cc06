#include "gui/linux/x11_error_trap.h"

namespace pengui {

namespace {
// The innermost trap of this thread; traps nest when editors call each other.
thread_local X11ErrorTrap* innermost = nullptr;
}  // namespace

int x11_trap_error_handler(Display* display, XErrorEvent* error) {
  for (X11ErrorTrap* t = innermost; t; t = t->outer_) {
    if (t->display_ == display) {
      ++t->errors_;
      t->last_code_ = error->error_code;
      return 0;
    }
  }
  // Another connection's error: the handler in force before the traps.
  X11ErrorTrap* outermost = innermost;
  while (outermost && outermost->outer_) outermost = outermost->outer_;
  if (outermost && outermost->saved_error_) return outermost->saved_error_(display, error);
  return 0;
}

int x11_trap_io_error_handler(Display* display) {
  for (X11ErrorTrap* t = innermost; t; t = t->outer_) {
    if (t->display_ == display) {
      t->dead_ = true;
      // Returning hands over to the display's exit handler, which returns too.
      return 0;
    }
  }
  X11ErrorTrap* outermost = innermost;
  while (outermost && outermost->outer_) outermost = outermost->outer_;
  if (outermost && outermost->saved_io_error_) return outermost->saved_io_error_(display);
  return 0;
}

X11ErrorTrap::X11ErrorTrap(Display* display, bool& dead)
    : display_(display), dead_(dead), outer_(innermost) {
  saved_error_ = XSetErrorHandler(x11_trap_error_handler);
  saved_io_error_ = XSetIOErrorHandler(x11_trap_io_error_handler);
  innermost = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  sync_if_pending();
  innermost = outer_;
  XSetErrorHandler(saved_error_);
  XSetIOErrorHandler(saved_io_error_);
}

void X11ErrorTrap::sync_if_pending() {
  if (dead_ || closing_ || !display_) return;
  // NextRequest - 1 is the last request sent; when the server has answered
  // up to it, every error is already in.
  if (NextRequest(display_) - 1 > LastKnownRequestProcessed(display_)) XSync(display_, False);
}

bool X11ErrorTrap::check() {
  sync_if_pending();
  const bool ok = errors_ == checked_errors_;
  checked_errors_ = errors_;
  return ok && !dead_;
}

namespace {
void mark_dead(Display* /*display*/, void* user_data) { *static_cast<bool*>(user_data) = true; }
}  // namespace

void x11_survive_connection_loss(Display* display, bool& dead) {
  XSetIOErrorExitHandler(display, mark_dead, &dead);
}

}  // namespace pengui
