#pragma once
// X key symbols and modifier states as the toolkit's key events.

#include <X11/Xlib.h>

#include "gui/events.h"

namespace pengui {

// Key::none for keys the editor has no use for.
KeyEvent translate_x11_key(KeySym sym, unsigned state);
unsigned translate_x11_modifiers(unsigned state);

}  // namespace pengui
