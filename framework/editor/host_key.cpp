#include "framework/editor/host_key.h"

namespace mppi {

namespace {

// The host's virtual key codes and modifier bits (VST 2 ABI numbers).
enum HostVirtualKey {
  kHostBack = 1,
  kHostTab = 2,
  kHostReturn = 4,
  kHostEscape = 6,
  kHostSpace = 7,
  kHostEnd = 9,
  kHostHome = 10,
  kHostLeft = 11,
  kHostUp = 12,
  kHostRight = 13,
  kHostDown = 14,
  kHostPageUp = 15,
  kHostPageDown = 16,
  kHostEnter = 19,  // the number block's enter
  kHostDelete = 22,
};
enum HostModifier {
  kHostShift = 1,
  kHostAlternate = 2,
  kHostCommand = 4,  // the control key outside macOS
  kHostControl = 8,
};

pengui::Key special_key(int virtual_key) {
  switch (virtual_key) {
    case kHostBack: return pengui::Key::backspace;
    case kHostTab: return pengui::Key::tab;
    case kHostReturn:
    case kHostEnter: return pengui::Key::enter;
    case kHostEscape: return pengui::Key::escape;
    case kHostEnd: return pengui::Key::end;
    case kHostHome: return pengui::Key::home;
    case kHostLeft: return pengui::Key::left;
    case kHostUp: return pengui::Key::up;
    case kHostRight: return pengui::Key::right;
    case kHostDown: return pengui::Key::down;
    case kHostPageUp: return pengui::Key::page_up;
    case kHostPageDown: return pengui::Key::page_down;
    case kHostDelete: return pengui::Key::del;
    default: return pengui::Key::none;
  }
}

}  // namespace

pengui::KeyEvent key_from_host(int character, int virtual_key, int modifiers) {
  pengui::KeyEvent e;
  if (modifiers & kHostShift) e.modifiers |= pengui::kModShift;
  if (modifiers & (kHostCommand | kHostControl)) e.modifiers |= pengui::kModControl;
  if (modifiers & kHostAlternate) e.modifiers |= pengui::kModAlt;
  if (virtual_key == kHostSpace) {
    e.key = pengui::Key::character;
    e.character = ' ';
    return e;
  }
  e.key = special_key(virtual_key);
  if (e.key != pengui::Key::none) return e;
  // Printable characters only (digits of the number block come as
  // characters too); control characters carry no text.
  if (character >= 0x20 && character != 0x7f && character <= 0x10ffff) {
    e.key = pengui::Key::character;
    e.character = static_cast<uint32_t>(character);
  }
  return e;
}

}  // namespace mppi
