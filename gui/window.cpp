#include "gui/window.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "gui/canvas.h"
#include "gui/widget.h"

namespace pengui {

namespace {

constexpr double kDoubleClickSeconds = 0.4;
constexpr int kDoubleClickDistance = 4;  // logical pixels
// Beyond this many separate dirty areas one covering area is cheaper.
constexpr std::size_t kMaxDirtyRects = 16;

double steady_seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Rounds towards minus infinity, so that -1 device pixel is logical -1.
int floor_div(int v, int d) {
  const int q = v / d;
  return (v % d != 0 && (v < 0) != (d < 0)) ? q - 1 : q;
}

template <typename T>
bool contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

Window::Window(int logical_width, int logical_height)
    : width_(std::max(logical_width, 0)), height_(std::max(logical_height, 0)), clock_(steady_seconds) {
  buffer_.resize(width_, height_);
  invalidate_all();
}

Window::~Window() {
  close();
  for (Widget* w : widgets_) w->window_ = nullptr;
  for (Widget* w : overlays_) w->window_ = nullptr;
}

void Window::set_scale(int scale) {
  if ((scale != 1 && scale != 2) || is_open() || scale == scale_) return;
  scale_ = scale;
  buffer_.resize(width_ * scale_, height_ * scale_);
  invalidate_all();
}

// ---- widgets and overlays

bool Window::holds(const Widget* w) const { return contains(widgets_, w) || contains(overlays_, w); }

void Window::add(Widget* w) {
  if (!w || contains(widgets_, w)) return;
  if (w->window_ && w->window_ != this) w->window_->remove(w);
  widgets_.push_back(w);
  w->window_ = this;
  if (w->is_visible()) invalidate(w->bounds());
}

void Window::remove(Widget* w) {
  if (!w || !holds(w)) return;
  // From ~Widget the widget is a plain Widget already, so telling it is harmless.
  forget(w, true);
  // A widget that leaves takes its timers along.
  if (auto* listener = dynamic_cast<TimerListener*>(w)) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [listener](const Timer& t) { return t.listener == listener; }),
                  timers_.end());
  }
  widgets_.erase(std::remove(widgets_.begin(), widgets_.end(), w), widgets_.end());
  overlays_.erase(std::remove(overlays_.begin(), overlays_.end(), w), overlays_.end());
  w->window_ = nullptr;
  invalidate(w->bounds());
}

void Window::push_overlay(Widget* w) {
  if (!w || contains(overlays_, w)) return;
  if (w->window_ && w->window_ != this) w->window_->remove(w);
  // The overlay is modal: whatever was under the mouse loses it.
  if (captured_) {
    Widget* old = captured_;
    release_mouse();
    old->capture_lost();
  }
  pressed_ = nullptr;
  if (hover_) {
    Widget* old = hover_;
    hover_ = nullptr;
    old->mouse_leave();
  }
  overlays_.push_back(w);
  w->window_ = this;
  invalidate(w->bounds());
}

void Window::pop_overlay(Widget* w) {
  if (!w || !contains(overlays_, w)) return;
  forget(w, true);
  overlays_.erase(std::remove(overlays_.begin(), overlays_.end(), w), overlays_.end());
  if (!contains(widgets_, w)) w->window_ = nullptr;
  invalidate(w->bounds());
}

Widget* Window::top_overlay() const { return overlays_.empty() ? nullptr : overlays_.back(); }

void Window::forget(Widget* w, bool notify) {
  if (captured_ == w) {
    release_mouse();
    if (notify) w->capture_lost();
  }
  if (pressed_ == w) pressed_ = nullptr;
  if (hover_ == w) {
    hover_ = nullptr;
    if (notify) w->mouse_leave();
  }
  if (focus_ == w) {
    focus_ = nullptr;
    if (notify) w->focus_changed(false);
  }
}

Widget* Window::widget_at(Point p) const {
  for (auto it = widgets_.rbegin(); it != widgets_.rend(); ++it) {
    Widget* w = *it;
    if (w->is_visible() && w->is_enabled() && w->bounds().contains(p)) return w;
  }
  return nullptr;
}

// ---- repainting

void Window::invalidate(const Rect& logical) {
  Rect r = logical.intersect({0, 0, width_, height_});
  if (r.empty()) return;
  // Swallow every area the new one overlaps until none is left, so that
  // no pixel is drawn twice in one repaint.
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < dirty_.size(); ++i) {
      if (!dirty_[i].intersect(r).empty()) {
        r = r.unite(dirty_[i]);
        dirty_.erase(dirty_.begin() + static_cast<std::ptrdiff_t>(i));
        merged = true;
        break;
      }
    }
  }
  if (dirty_.size() >= kMaxDirtyRects) {
    for (const Rect& d : dirty_) r = r.unite(d);
    dirty_.clear();
  }
  dirty_.push_back(r);
}

void Window::invalidate_all() {
  dirty_.clear();
  invalidate({0, 0, width_, height_});
}

void Window::render_dirty() {
  if (dirty_.empty()) return;
  std::vector<Rect> areas;
  areas.swap(dirty_);
  for (const Rect& area : areas) {
    Canvas canvas(buffer_, scale_, area);
    // Nothing stale shows where no widget draws.
    canvas.fill_rect(area, 0x000000u);
    for (const std::vector<Widget*>* layer : {&widgets_, &overlays_}) {
      for (std::size_t i = 0; i < layer->size(); ++i) {
        Widget* w = (*layer)[i];
        if (!w->is_visible() || w->bounds().intersect(area).empty()) continue;
        Canvas::ClipGuard clip(canvas, w->bounds());
        w->draw(canvas);
      }
    }
    if (native_alive() && native_->is_open()) native_->present(area.scaled(scale_));
  }
}

// ---- timers

int Window::start_timer(double period_seconds, TimerListener* listener) {
  if (!listener || !(period_seconds > 0.0) || !std::isfinite(period_seconds)) return -1;
  auto in_use = [this](int id) {
    return std::any_of(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
  };
  do {
    next_timer_id_ = next_timer_id_ == INT_MAX ? 0 : next_timer_id_ + 1;
  } while (in_use(next_timer_id_));
  timers_.push_back({next_timer_id_, period_seconds, now() + period_seconds, listener});
  return next_timer_id_;
}

void Window::stop_timer(int id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; }),
                timers_.end());
}

void Window::set_clock(Clock clock) {
  if (clock) clock_ = std::move(clock);
}

void Window::fire_timers() {
  if (timers_.empty()) return;
  const double t = now();
  std::vector<int> due;
  for (const Timer& timer : timers_) {
    if (timer.due <= t) due.push_back(timer.id);
  }
  // Callbacks may start and stop timers: look each one up again.
  for (int id : due) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [id](const Timer& x) { return x.id == id; });
    if (it == timers_.end()) continue;
    it->due += it->period;
    if (it->due <= t) it->due = t + it->period;  // fell behind: no burst of catch-up calls
    it->listener->timer_fired(id);
  }
}

// ---- capture, cursor, focus

void Window::capture_mouse(Widget* w, CaptureMode mode) {
  if (!w || w->window_ != this) return;
  if (captured_ && captured_ != w) {
    Widget* old = captured_;
    release_mouse();
    old->capture_lost();
  }
  captured_ = w;
  capture_mode_ = mode;
  rel_rem_x_ = rel_rem_y_ = 0;
  if (native_alive()) native_->capture(mode);
}

void Window::release_mouse() {
  if (!captured_) return;
  captured_ = nullptr;
  capture_mode_ = CaptureMode::plain;
  rel_rem_x_ = rel_rem_y_ = 0;
  if (native_alive()) native_->release_capture();
}

bool Window::get_cursor_pos(Point& p) const {
  Point device;
  if (!native_alive() || !native_->get_cursor_pos(device)) return false;
  p = {floor_div(device.x, scale_), floor_div(device.y, scale_)};
  return true;
}

void Window::set_cursor_pos(Point p) {
  if (native_alive()) native_->set_cursor_pos({p.x * scale_, p.y * scale_});
}

void Window::set_focus(Widget* w) {
  if (w == focus_ || (w && w->window_ != this)) return;
  Widget* old = focus_;
  focus_ = w;
  if (old) old->focus_changed(false);
  if (w && focus_ == w) w->focus_changed(true);
}

// ---- native lifecycle

bool Window::open(void* parent) {
  if (native_depth_ == 0) retired_native_.reset();
  if (is_open()) return true;
  if (native_alive()) {
    // Closed under us without a word: finish it before making a new one.
    ++native_depth_;
    native_->close();
    --native_depth_;
    retire_native();
  }
  std::unique_ptr<NativeWindow> native = native_factory_ ? native_factory_(*this) : make_native_window(*this);
  if (!native) return false;
  ++native_depth_;
  const bool ok = native->open(parent, &buffer_);
  --native_depth_;
  if (!ok) return false;
  native_ = std::move(native);
  invalidate_all();
  return true;
}

void Window::close() {
  if (captured_) {
    Widget* old = captured_;
    release_mouse();
    old->capture_lost();
  }
  pressed_ = nullptr;
  if (hover_) {
    Widget* old = hover_;
    hover_ = nullptr;
    old->mouse_leave();
  }
  if (native_alive()) {
    ++native_depth_;
    native_->close();
    --native_depth_;
    retire_native();
  }
  if (native_depth_ == 0) retired_native_.reset();
}

void Window::retire_native() {
  retired_native_ = std::move(native_);
  if (native_depth_ == 0) retired_native_.reset();
}

bool Window::is_open() const { return native_alive() && native_->is_open(); }

void* Window::native_handle() const { return is_open() ? native_->handle() : nullptr; }

int Window::desktop_scale() const {
  if (!is_open()) return 1;
  return native_->desktop_scale() >= 2 ? 2 : 1;
}

void Window::idle() {
  if (native_depth_ == 0) retired_native_.reset();
  if (native_alive()) {
    ++native_depth_;
    native_->pump();
    --native_depth_;
    if (native_depth_ == 0) retired_native_.reset();
  }
  fire_timers();
  render_dirty();
}

void Window::set_native_factory(std::function<std::unique_ptr<NativeWindow>(NativeEventSink&)> f) {
  native_factory_ = std::move(f);
}

// ---- input from the native window

MouseEvent Window::to_logical(const MouseEvent& e) const {
  MouseEvent out = e;
  out.pos = {floor_div(e.pos.x, scale_), floor_div(e.pos.y, scale_)};
  return out;
}

void Window::update_hover(Point p) {
  Widget* now_under = nullptr;
  if (Widget* top = top_overlay()) {
    if (top->bounds().contains(p)) now_under = top;
  } else {
    now_under = widget_at(p);
  }
  if (now_under == hover_) return;
  Widget* old = hover_;
  hover_ = now_under;
  if (old) old->mouse_leave();
  if (now_under && hover_ == now_under) now_under->mouse_enter();
}

void Window::native_mouse_down(const MouseEvent& e) {
  MouseEvent le = to_logical(e);
  const double t = now();
  const bool second = last_click_time_ >= 0.0 && t - last_click_time_ <= kDoubleClickSeconds &&
                      std::abs(le.pos.x - last_click_pos_.x) <= kDoubleClickDistance &&
                      std::abs(le.pos.y - last_click_pos_.y) <= kDoubleClickDistance;
  le.clicks = second ? 2 : 1;
  // A third press starts a new pair rather than making another double-click.
  last_click_time_ = second ? -1.0 : t;
  last_click_pos_ = le.pos;

  if (captured_) {
    captured_->mouse_down(le);
    return;
  }
  Widget* target = top_overlay();
  if (!target) {
    target = widget_at(le.pos);
    if (target && target->wants_focus()) {
      set_focus(target);
    } else if (focus_ && focus_ != target) {
      set_focus(nullptr);
    }
  }
  if (!target || !holds(target)) return;
  const std::size_t overlays_before = overlays_.size();
  const bool taken = target->mouse_down(le);
  // The press may have opened a menu (which now owns the mouse) or removed the widget.
  if (taken && holds(target) && (overlays_.size() == overlays_before || top_overlay() == target)) {
    pressed_ = target;
  }
}

void Window::native_mouse_up(const MouseEvent& e) {
  const MouseEvent le = to_logical(e);
  Widget* target = captured_ ? captured_ : pressed_;
  pressed_ = nullptr;
  if (!target) target = top_overlay();
  if (target) target->mouse_up(le);
  if (!captured_ && !pressed_) update_hover(le.pos);
}

void Window::native_mouse_move(const MouseEvent& e) {
  MouseEvent le = to_logical(e);
  // Carry what does not make a whole logical pixel to the next event.
  const int total_x = e.dx + rel_rem_x_;
  const int total_y = e.dy + rel_rem_y_;
  le.dx = floor_div(total_x, scale_);
  le.dy = floor_div(total_y, scale_);
  rel_rem_x_ = total_x - le.dx * scale_;
  rel_rem_y_ = total_y - le.dy * scale_;

  if (Widget* target = captured_ ? captured_ : pressed_) {
    target->mouse_move(le);
    return;
  }
  update_hover(le.pos);
  Widget* target = top_overlay() ? top_overlay() : hover_;
  if (target && holds(target)) target->mouse_move(le);
}

void Window::native_mouse_wheel(const MouseEvent& e, int steps) {
  const MouseEvent le = to_logical(e);
  Widget* target = top_overlay();
  if (!target) target = captured_ ? captured_ : widget_at(le.pos);
  if (target) target->mouse_wheel(le, steps);
}

void Window::native_mouse_leave() {
  if (captured_ || pressed_ || !hover_) return;
  Widget* old = hover_;
  hover_ = nullptr;
  old->mouse_leave();
}

bool Window::native_key(const KeyEvent& e, bool down) {
  Widget* target = top_overlay() ? top_overlay() : focus_;
  if (!target) return false;
  return down ? target->key_down(e) : target->key_up(e);
}

void Window::native_focus(bool has_focus) {
  // Losing the keyboard ends typing as a click elsewhere would.
  if (!has_focus) set_focus(nullptr);
}

void Window::native_tick() {
  fire_timers();
  render_dirty();
}

void Window::native_destroyed() {
  if (!native_alive()) return;
  // The window is gone: drop it without another call into it.
  Widget* old = captured_;
  captured_ = nullptr;
  capture_mode_ = CaptureMode::plain;
  pressed_ = nullptr;
  hover_ = nullptr;
  retired_native_ = std::move(native_);
  if (old) old->capture_lost();
}

}  // namespace pengui
