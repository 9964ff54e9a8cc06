#include "gui/win32/win32_keys.h"

#include "gui/win32/win32_api.h"

namespace pengui {

Key key_from_virtual_key(unsigned virtual_key) {
  switch (virtual_key) {
    case VK_BACK: return Key::backspace;
    case VK_DELETE: return Key::del;
    case VK_RETURN: return Key::enter;
    case VK_ESCAPE: return Key::escape;
    case VK_TAB: return Key::tab;
    case VK_LEFT: return Key::left;
    case VK_RIGHT: return Key::right;
    case VK_UP: return Key::up;
    case VK_DOWN: return Key::down;
    case VK_HOME: return Key::home;
    case VK_END: return Key::end;
    case VK_PRIOR: return Key::page_up;
    case VK_NEXT: return Key::page_down;
    default: return Key::none;
  }
}

unsigned current_modifiers() {
  auto held = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
  unsigned m = 0;
  if (held(VK_SHIFT)) m |= kModShift;
  if (held(VK_CONTROL)) m |= kModControl;
  if (held(VK_MENU)) m |= kModAlt;
  if (held(VK_LWIN) || held(VK_RWIN)) m |= kModSuper;
  return m;
}

uint32_t Utf16Joiner::add(unsigned unit) {
  unit &= 0xFFFFu;
  if (unit >= 0xD800u && unit <= 0xDBFFu) {
    high_ = unit;
    return 0;
  }
  if (unit >= 0xDC00u && unit <= 0xDFFFu) {
    const unsigned high = high_;
    high_ = 0;
    if (!high) return 0;
    return 0x10000u + ((high - 0xD800u) << 10) + (unit - 0xDC00u);
  }
  high_ = 0;
  // Control characters come as keys (backspace, enter, tab, escape) or not at all.
  if (unit < 0x20u || unit == 0x7Fu) return 0;
  return unit;
}

}  // namespace pengui
