#pragma once
// Keyboard and modifier translation from Win32 messages to toolkit events.

#include "gui/events.h"

namespace pengui {

// The toolkit key of a virtual-key code, Key::none for keys that are text
// (they arrive as WM_CHAR) or that the toolkit does not use.
Key key_from_virtual_key(unsigned virtual_key);

// Modifiers held now, from the thread's key state.
unsigned current_modifiers();

// Joins UTF-16 units from WM_CHAR into code points: 0 while the first half
// of a surrogate pair waits for the second, or for a unit that is no text.
class Utf16Joiner {
public:
  uint32_t add(unsigned unit);

private:
  unsigned high_ = 0;
};

}  // namespace pengui
