#pragma once
// The editor's window on an X display: a child of the host's window on a
// connection of its own, so that nothing we do touches the host's
// connection and no X call is made from any other thread. The host's idle
// calls drive it through pump().

#include <X11/Xlib.h>

#include "gui/linux/x11_image_uploader.h"
#include "gui/native_window.h"

namespace pengui {

class X11NativeWindow final : public NativeWindow {
public:
  explicit X11NativeWindow(NativeEventSink& sink);
  ~X11NativeWindow() override;
  X11NativeWindow(const X11NativeWindow&) = delete;
  X11NativeWindow& operator=(const X11NativeWindow&) = delete;

  bool open(void* parent, const RenderBuffer* buffer) override;
  void close() override;
  bool is_open() const override;
  void* handle() const override;

  void pump() override;
  void present(const Rect& r) override;

  void capture(CaptureMode mode) override;
  void release_capture() override;
  void set_cursor_visible(bool visible) override;
  bool get_cursor_pos(Point& p) const override;
  void set_cursor_pos(Point p) override;

  // Also before open(), from a short-lived connection.
  int desktop_scale() const override;

  // For tests and diagnostics.
  Display* display() const { return display_; }
  bool uses_shm() const { return uploader_.uses_shm(); }
  bool connection_lost() const { return dead_; }

private:
  bool usable() const { return display_ && !dead_ && !gone_; }
  bool create_window(X11ErrorTrap& trap);
  void free_resources();
  int read_events(XEvent* events, int capacity);
  void dispatch(XEvent& e);
  void on_button(const XButtonEvent& b, bool down);
  void on_motion(const XMotionEvent& m);
  void on_key(XKeyEvent& k, bool down);
  void on_window_gone();
  void warp_to(Point p);

  NativeEventSink& sink_;
  Display* display_ = nullptr;
  ::Window window_ = 0;
  ::Window parent_ = 0;
  const RenderBuffer* buffer_ = nullptr;
  GC gc_ = nullptr;
  Cursor invisible_cursor_ = 0;
  X11ImageUploader uploader_;
  // The connection failed; set from Xlib's I/O error path, hence mutable.
  mutable bool dead_ = false;
  bool gone_ = false;  // destroyed under us (host destroyed the parent)
  bool gone_reported_ = false;
  Rect exposed_;

  // Pointer capture. In relative capture the pointer is warped back to
  // `anchor_` after each move; motion events older than the warp request
  // still count from the last real position.
  bool grabbed_ = false;
  bool relative_ = false;
  Point anchor_;
  Point last_pos_;
  bool warp_pending_ = false;
  unsigned long warp_serial_ = 0;
};

}  // namespace pengui
