#include "gui/linux/x11_keys.h"

#include <X11/keysym.h>

namespace pengui {

unsigned translate_x11_modifiers(unsigned state) {
  unsigned m = 0;
  if (state & ShiftMask) m |= kModShift;
  if (state & ControlMask) m |= kModControl;
  if (state & Mod1Mask) m |= kModAlt;
  if (state & Mod4Mask) m |= kModSuper;
  return m;
}

namespace {

Key special_key(KeySym sym) {
  switch (sym) {
    case XK_BackSpace: return Key::backspace;
    case XK_Delete: case XK_KP_Delete: return Key::del;
    case XK_Return: case XK_KP_Enter: return Key::enter;
    case XK_Escape: return Key::escape;
    case XK_Tab: case XK_ISO_Left_Tab: return Key::tab;
    case XK_Left: case XK_KP_Left: return Key::left;
    case XK_Right: case XK_KP_Right: return Key::right;
    case XK_Up: case XK_KP_Up: return Key::up;
    case XK_Down: case XK_KP_Down: return Key::down;
    case XK_Home: case XK_KP_Home: return Key::home;
    case XK_End: case XK_KP_End: return Key::end;
    case XK_Prior: case XK_KP_Prior: return Key::page_up;
    case XK_Next: case XK_KP_Next: return Key::page_down;
    default: return Key::none;
  }
}

// Latin-1 key symbols are their code points; newer ones carry the code
// point above 0x01000000. Keypad digits and operators give their characters.
uint32_t keysym_code_point(KeySym sym) {
  if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF)) return static_cast<uint32_t>(sym);
  if (sym >= 0x01000100 && sym <= 0x0110FFFF) return static_cast<uint32_t>(sym - 0x01000000);
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return static_cast<uint32_t>('0' + (sym - XK_KP_0));
  switch (sym) {
    case XK_KP_Space: return ' ';
    case XK_KP_Decimal: return '.';
    case XK_KP_Add: return '+';
    case XK_KP_Subtract: return '-';
    case XK_KP_Multiply: return '*';
    case XK_KP_Divide: return '/';
    case XK_KP_Equal: return '=';
    default: return 0;
  }
}

}  // namespace

KeyEvent translate_x11_key(KeySym sym, unsigned state) {
  KeyEvent e;
  e.modifiers = translate_x11_modifiers(state);
  e.key = special_key(sym);
  if (e.key != Key::none) return e;
  e.character = keysym_code_point(sym);
  if (e.character != 0) e.key = Key::character;
  return e;
}

}  // namespace pengui
