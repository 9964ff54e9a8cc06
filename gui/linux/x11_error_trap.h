#pragma once
// Keeps X errors of our own connections away from the process-wide
// handlers: Xlib's default error handler and most toolkits' I/O error
// handlers end the process, which would take the host down with the editor.
// Every batch of calls on an editor connection runs inside a trap; errors
// of other connections that surface meanwhile go to the handlers the trap
// replaced.

#include <X11/Xlib.h>

namespace pengui {

class X11ErrorTrap {
public:
  // Installs the handlers. `dead` is set when the connection is lost.
  X11ErrorTrap(Display* display, bool& dead);
  // Collects the errors of every request sent so far (one round trip when
  // requests are outstanding), then restores the previous handlers.
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the answers to the requests sent so far; true when none failed
  // since the trap started (or since the last check).
  bool check();
  // The display is about to be closed inside the trap: nothing is sent on
  // it when the trap ends.
  void closing() { closing_ = true; }
  int error_count() const { return errors_; }
  unsigned char last_error_code() const { return last_code_; }

private:
  friend int x11_trap_error_handler(Display*, XErrorEvent*);
  friend int x11_trap_io_error_handler(Display*);

  void sync_if_pending();

  Display* display_;
  bool& dead_;
  X11ErrorTrap* outer_;
  XErrorHandler saved_error_;
  XIOErrorHandler saved_io_error_;
  bool closing_ = false;
  int errors_ = 0;
  int checked_errors_ = 0;
  unsigned char last_code_ = 0;
};

// Makes a lost connection end only its editor: called once per display
// after XOpenDisplay; `dead` is set instead of exiting the process.
void x11_survive_connection_loss(Display* display, bool& dead);

}  // namespace pengui
