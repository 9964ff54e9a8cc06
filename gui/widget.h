#pragma once
// Anything drawn in the editor window that may take the mouse or the
// keyboard. Bounds are logical pixels. Widgets are owned by whoever builds
// the panel; the window only points at them.

#include "gui/canvas.h"
#include "gui/events.h"
#include "gui/geometry.h"

namespace pengui {

class Window;

class Widget {
public:
  virtual ~Widget();

  const Rect& bounds() const { return bounds_; }
  void set_bounds(const Rect& r);  // repaints the old and the new place
  bool is_visible() const { return visible_; }
  void set_visible(bool visible);
  bool is_enabled() const { return enabled_; }
  void set_enabled(bool enabled);
  Window* window() const { return window_; }

  void invalidate();                // the whole widget
  void invalidate(const Rect& r);   // a part, logical, in window coordinates

  // Draws itself; the canvas clip is already the repainted part of bounds().
  virtual void draw(Canvas& canvas) = 0;

  // True when the widget takes the press; it then gets the moves until the
  // release (or until capture ends).
  virtual bool mouse_down(const MouseEvent& /*e*/) { return false; }
  virtual void mouse_up(const MouseEvent& /*e*/) {}
  // Moves while pressed or captured, and hover moves over the widget.
  virtual void mouse_move(const MouseEvent& /*e*/) {}
  virtual void mouse_enter() {}
  virtual void mouse_leave() {}
  // steps > 0: wheel up (away from the user).
  virtual bool mouse_wheel(const MouseEvent& /*e*/, int /*steps*/) { return false; }
  // Keys reach the focused widget only; false passes the key to the host.
  virtual bool key_down(const KeyEvent& /*e*/) { return false; }
  virtual bool key_up(const KeyEvent& /*e*/) { return false; }
  virtual bool wants_focus() const { return false; }
  virtual void focus_changed(bool /*has_focus*/) {}
  // Capture was taken away (window closed, another capture, menu opened).
  virtual void capture_lost() {}

private:
  friend class Window;
  Window* window_ = nullptr;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace pengui
