#pragma once
// The one platform-specific piece of the toolkit: a child window inside
// the host's window, which shows the rendering buffer and reports input.
// gui/linux has the X11 implementation, gui/win32 the Win32 one. All calls
// come from the editor (host GUI) thread.

#include <memory>

#include "gui/events.h"
#include "gui/geometry.h"
#include "gui/render_buffer.h"

namespace pengui {

enum class CaptureMode {
  plain,     // absolute positions, cursor visible
  relative,  // cursor hidden and held in place; events carry dx, dy
};

// What the native window reports. Positions here are device pixels; the
// toolkit's Window divides by the scale.
class NativeEventSink {
public:
  virtual ~NativeEventSink() = default;
  virtual void native_mouse_down(const MouseEvent& e) = 0;
  virtual void native_mouse_up(const MouseEvent& e) = 0;
  virtual void native_mouse_move(const MouseEvent& e) = 0;  // dx, dy set in relative capture
  virtual void native_mouse_wheel(const MouseEvent& e, int steps) = 0;
  virtual void native_mouse_leave() = 0;
  // True when the key was used (the host then does not see it).
  virtual bool native_key(const KeyEvent& e, bool down) = 0;
  virtual void native_focus(bool has_focus) = 0;
  // Periodic tick from the platform (Win32 SetTimer); X11 has none and is
  // driven by idle calls.
  virtual void native_tick() = 0;
  // The window died without close() (the host destroyed the parent).
  virtual void native_destroyed() = 0;
};

class NativeWindow {
public:
  virtual ~NativeWindow() = default;

  // Creates the child window of `parent` (an X11 Window id or an HWND) of
  // the buffer's size, showing `buffer`, which must outlive the window.
  virtual bool open(void* parent, const RenderBuffer* buffer) = 0;
  // Idempotent; makes no call on a window that is already gone.
  virtual void close() = 0;
  virtual bool is_open() const = 0;
  virtual void* handle() const = 0;

  // Drains pending events into the sink (X11); no-op where the system
  // delivers messages itself (Win32).
  virtual void pump() = 0;
  // The part `r` of the buffer (device pixels) changed: show it.
  virtual void present(const Rect& r) = 0;

  virtual void capture(CaptureMode mode) = 0;
  virtual void release_capture() = 0;
  virtual void set_cursor_visible(bool visible) = 0;
  // Cursor position in window device pixels.
  virtual bool get_cursor_pos(Point& p) const = 0;
  virtual void set_cursor_pos(Point p) = 0;

  // 1 or 2, from the desktop (Xft.dpi on X11, the monitor's DPI on Win32).
  virtual int desktop_scale() const = 0;
};

// The platform's implementation, reporting to `sink`.
std::unique_ptr<NativeWindow> make_native_window(NativeEventSink& sink);

}  // namespace pengui
