#pragma once
// A test host on an X display (Xvfb under scripts/test.sh): its own
// connection with a top-level window the editor goes into, read-back of
// what a window shows, and input made with XTest as a user would.

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/geometry.h"

namespace pengui::testing {

class X11TestHost {
public:
  explicit X11TestHost(int width = 1000, int height = 600);
  ~X11TestHost();
  X11TestHost(const X11TestHost&) = delete;
  X11TestHost& operator=(const X11TestHost&) = delete;

  bool ok() const { return display_ != nullptr; }
  Display* display() const { return display_; }
  ::Window parent() const { return parent_; }
  void* parent_handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent_)); }
  void destroy_parent();

  // Pixels of `w` as 0x00RRGGBB, rows from the top.
  std::vector<uint32_t> read_back(::Window w, int width, int height);
  ::Window parent_of(::Window w);
  // Number of clients connected to the server (XRes), -1 without XRes.
  int client_count();
  // Errors the host's own handler saw (the editor's must never land here).
  static int host_errors();
  static int host_io_errors();

  // Pointer and keys through XTest; positions relative to `w`.
  void move_pointer(::Window w, Point p);
  void move_pointer_by(int dx, int dy);
  void button(unsigned button, bool down);
  void key(unsigned long keysym, bool down);
  void sync() { XSync(display_, False); }

private:
  Display* display_ = nullptr;
  ::Window parent_ = 0;
  XErrorHandler saved_handler_ = nullptr;
  XIOErrorHandler saved_io_handler_ = nullptr;
};

// Calls `pump` until `done` holds or about a second has passed.
bool pump_until(const std::function<void()>& pump, const std::function<bool()>& done);

}  // namespace pengui::testing

#define SKIP_WITHOUT_DISPLAY()                                               \
  do {                                                                       \
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display (DISPLAY unset)"; \
  } while (0)
