#pragma once
// The editor window as the toolkit sees it: a logical surface (900 x 446
// for the synth) drawn at scale 1 or 2 into a retained buffer, the widgets
// on it, their timers, mouse capture, keyboard focus and modal overlays
// (menus, message boxes, our own file dialog). Everything runs on the
// editor (host GUI) thread: the host's idle calls and the platform's timer
// drive it. It can live without a native window (closed, or in tests).

#include <functional>
#include <memory>
#include <vector>

#include "gui/events.h"
#include "gui/geometry.h"
#include "gui/native_window.h"
#include "gui/render_buffer.h"
#include "gui/timer_listener.h"

namespace pengui {

class Widget;

// Toolkit-wide mouse mode: enhanced (the default) captures relative
// movement with the cursor hidden; compatible uses absolute positions.
bool is_enhanced_mouse_mode();
void set_enhanced_mouse_mode(bool enhanced);

class Window : public NativeEventSink {
public:
  using Clock = std::function<double()>;  // seconds, monotonic

  Window(int logical_width, int logical_height);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  int width() const { return width_; }    // logical
  int height() const { return height_; }
  int scale() const { return scale_; }
  // Changes the scale (1 or 2) while closed; the buffer is resized and all repainted.
  void set_scale(int scale);

  // Widgets, drawn in the order added (later ones on top). Not owned.
  // A removed widget that is a TimerListener loses its timers.
  void add(Widget* w);
  void remove(Widget* w);
  // A modal overlay (menu, message box) gets every event while shown and
  // is drawn over everything; overlays stack.
  void push_overlay(Widget* w);
  void pop_overlay(Widget* w);
  Widget* top_overlay() const;

  // Repainting: the dirty part is redrawn on the next idle or tick.
  void invalidate(const Rect& logical);
  void invalidate_all();
  // Draws every dirty area into the buffer and hands it to the native window.
  void render_dirty();
  const RenderBuffer& buffer() const { return buffer_; }

  // Timers with periods in seconds; fired from idle()/ticks. Id >= 0.
  int start_timer(double period_seconds, TimerListener* listener);
  void stop_timer(int id);
  // The clock the timers and pots read; tests replace it.
  double now() const { return clock_(); }
  void set_clock(Clock clock);

  // Mouse capture for one widget. Relative capture falls back to plain
  // where the platform cannot hold the cursor.
  void capture_mouse(Widget* w, CaptureMode mode);
  void release_mouse();
  Widget* captured() const { return captured_; }
  // Cursor in logical pixels (for restoring it after a relative drag).
  bool get_cursor_pos(Point& p) const;
  void set_cursor_pos(Point p);

  void set_focus(Widget* w);
  Widget* focus() const { return focus_; }

  // Native lifecycle, driven by the plug-in's editor on the host GUI thread.
  // open() is idempotent; false when no native window could be made.
  bool open(void* parent);
  void close();
  bool is_open() const;
  void* native_handle() const;
  int desktop_scale() const;  // 1 when closed
  // Drains events, fires due timers and repaints. Harmless when closed.
  void idle();

  // For tests: a native window of the test's own (e.g. a fake).
  void set_native_factory(std::function<std::unique_ptr<NativeWindow>(NativeEventSink&)> f);

  // NativeEventSink: device pixels in, logical out; also used by tests to
  // inject input without a display.
  void native_mouse_down(const MouseEvent& e) override;
  void native_mouse_up(const MouseEvent& e) override;
  void native_mouse_move(const MouseEvent& e) override;
  void native_mouse_wheel(const MouseEvent& e, int steps) override;
  void native_mouse_leave() override;
  bool native_key(const KeyEvent& e, bool down) override;
  void native_focus(bool has_focus) override;
  void native_tick() override;
  void native_destroyed() override;

private:
  struct Timer {
    int id;
    double period;
    double due;
    TimerListener* listener;
  };
  Widget* widget_at(Point p) const;
  void fire_timers();
  // Drops every pointer the window holds to `w`; `notify` tells a live
  // widget that it lost capture and focus (never from its destructor).
  void forget(Widget* w, bool notify = false);
  MouseEvent to_logical(const MouseEvent& e) const;
  bool holds(const Widget* w) const;
  void update_hover(Point p);
  void retire_native();
  bool native_alive() const { return native_ != nullptr; }

  friend class Widget;

  int width_;
  int height_;
  int scale_ = 1;
  RenderBuffer buffer_;
  std::vector<Widget*> widgets_;
  std::vector<Widget*> overlays_;
  std::vector<Rect> dirty_;
  std::vector<Timer> timers_;
  int next_timer_id_ = 0;
  Clock clock_;
  Widget* captured_ = nullptr;
  Widget* pressed_ = nullptr;
  Widget* hover_ = nullptr;
  Widget* focus_ = nullptr;
  CaptureMode capture_mode_ = CaptureMode::plain;
  double last_click_time_ = -1.0;
  Point last_click_pos_;
  std::function<std::unique_ptr<NativeWindow>(NativeEventSink&)> native_factory_;
  std::unique_ptr<NativeWindow> native_;
  // A native window that died or closed inside one of its own calls is
  // kept here until that call has returned.
  std::unique_ptr<NativeWindow> retired_native_;
  int native_depth_ = 0;
  // Relative movement not yet worth a logical pixel at scale 2.
  int rel_rem_x_ = 0;
  int rel_rem_y_ = 0;
};

}  // namespace pengui
