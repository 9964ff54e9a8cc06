#include <gtest/gtest.h>
#include <X11/keysym.h>

#include "gui/linux/x11_keys.h"

namespace pengui {
namespace {

TEST(X11Keys, KeySymbolsBecomeKeysOrCharacters) {
  struct {
    KeySym sym;
    Key key;
    uint32_t character;
  } const cases[] = {
      {XK_a, Key::character, 'a'},
      {XK_adiaeresis, Key::character, 0xE4},
      {XK_EuroSign, Key::none, 0},  // legacy symbol outside Latin-1 and Unicode ranges
      {0x010020AC, Key::character, 0x20AC},
      {XK_KP_7, Key::character, '7'},
      {XK_BackSpace, Key::backspace, 0},
      {XK_KP_Delete, Key::del, 0},
      {XK_KP_Enter, Key::enter, 0},
      {XK_ISO_Left_Tab, Key::tab, 0},
      {XK_KP_Next, Key::page_down, 0},
      {XK_F1, Key::none, 0},
      {XK_Shift_L, Key::none, 0},
  };
  for (const auto& c : cases) {
    const KeyEvent e = translate_x11_key(c.sym, ControlMask | Mod2Mask);  // Mod2 is Num Lock
    EXPECT_EQ(e.modifiers, unsigned{kModControl}) << std::hex << c.sym;
    EXPECT_EQ(e.key, c.key) << std::hex << c.sym;
    EXPECT_EQ(e.character, c.character) << std::hex << c.sym;
  }
}

}  // namespace
}  // namespace pengui
