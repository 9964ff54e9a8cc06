#include "gui/widget.h"

#include "gui/window.h"

namespace pengui {

Widget::~Widget() {
  if (window_) window_->remove(this);
}

void Widget::set_bounds(const Rect& r) {
  if (r == bounds_) return;
  invalidate();
  bounds_ = r;
  invalidate();
}

void Widget::set_visible(bool visible) {
  if (visible == visible_) return;
  if (window_) window_->invalidate(bounds_);
  visible_ = visible;
  if (!visible && window_) window_->forget(this, true);
}

void Widget::set_enabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  invalidate();
  if (!enabled && window_) window_->forget(this, true);
}

void Widget::invalidate() {
  if (window_ && visible_) window_->invalidate(bounds_);
}

void Widget::invalidate(const Rect& r) {
  if (window_ && visible_) window_->invalidate(r.intersect(bounds_));
}

}  // namespace pengui
