#pragma once
// Integer points and rectangles of the editor, in pixels. A rectangle is
// half-open: it covers x .. x + w - 1 and y .. y + h - 1.

#include <algorithm>

namespace pengui {

struct Point {
  int x = 0;
  int y = 0;
};

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;

  int right() const { return x + w; }
  int bottom() const { return y + h; }
  bool empty() const { return w <= 0 || h <= 0; }
  bool contains(Point p) const { return p.x >= x && p.y >= y && p.x < right() && p.y < bottom(); }

  Rect intersect(const Rect& o) const {
    const int l = std::max(x, o.x);
    const int t = std::max(y, o.y);
    const int r = std::min(right(), o.right());
    const int b = std::min(bottom(), o.bottom());
    return (r > l && b > t) ? Rect{l, t, r - l, b - t} : Rect{};
  }
  // Smallest rectangle holding both; an empty one does not count.
  Rect unite(const Rect& o) const {
    if (empty()) return o;
    if (o.empty()) return *this;
    const int l = std::min(x, o.x);
    const int t = std::min(y, o.y);
    return {l, t, std::max(right(), o.right()) - l, std::max(bottom(), o.bottom()) - t};
  }
  Rect scaled(int s) const { return {x * s, y * s, w * s, h * s}; }
  Rect offset(int dx, int dy) const { return {x + dx, y + dy, w, h}; }

  bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
  bool operator!=(const Rect& o) const { return !(*this == o); }
};

}  // namespace pengui
