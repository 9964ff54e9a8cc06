#pragma once
// Keys as a VST 2 host passes them on (effEditKeyDown/Up: character,
// virtual key code, modifier bits), turned into the toolkit's key events.

#include "gui/events.h"

namespace mppi {

// Key::none for keys the editor has no use for (function keys, ...).
pengui::KeyEvent key_from_host(int character, int virtual_key, int modifiers);

}  // namespace mppi
