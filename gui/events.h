#pragma once
// Input as the window layer hands it to the toolkit. Positions are in the
// editor's logical pixels (900 x 446 space), already divided by the scale.

#include <cstdint>

#include "gui/geometry.h"

namespace pengui {

enum class MouseButton { none, left, middle, right };

enum Modifier : unsigned {
  kModShift = 1u << 0,
  kModControl = 1u << 1,
  kModAlt = 1u << 2,
  kModSuper = 1u << 3,
};

struct MouseEvent {
  Point pos;                 // logical position in the window
  MouseButton button = MouseButton::none;
  unsigned modifiers = 0;
  int clicks = 1;            // 2 for the second press of a double-click
  // Movement since the last event, in logical pixels; filled in relative
  // capture, where the cursor is hidden and `pos` stays put.
  int dx = 0;
  int dy = 0;
};

// Keys that are not plain text; text arrives as `character`.
enum class Key { none, character, backspace, del, enter, escape, tab, left, right, up, down, home, end, page_up, page_down };

struct KeyEvent {
  Key key = Key::none;
  uint32_t character = 0;  // Unicode code point when key == character
  unsigned modifiers = 0;
};

}  // namespace pengui
