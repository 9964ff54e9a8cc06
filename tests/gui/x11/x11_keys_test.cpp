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
      {XK_Z, Key::character, 'Z'},
      {XK_space, Key::character, ' '},
      {XK_adiaeresis, Key::character, 0xE4},
      {XK_EuroSign, Key::none, 0},  // legacy symbol outside Latin-1 and Unicode ranges
      {0x010020AC, Key::character, 0x20AC},
      {XK_KP_7, Key::character, '7'},
      {XK_KP_Decimal, Key::character, '.'},
      {XK_BackSpace, Key::backspace, 0},
      {XK_KP_Delete, Key::del, 0},
      {XK_KP_Enter, Key::enter, 0},
      {XK_ISO_Left_Tab, Key::tab, 0},
      {XK_Prior, Key::page_up, 0},
      {XK_KP_Next, Key::page_down, 0},
      {XK_Home, Key::home, 0},
      {XK_F1, Key::none, 0},
      {XK_Shift_L, Key::none, 0},
  };
  for (const auto& c : cases) {
    const KeyEvent e = translate_x11_key(c.sym, 0);
    EXPECT_EQ(e.key, c.key) << std::hex << c.sym;
    EXPECT_EQ(e.character, c.character) << std::hex << c.sym;
  }
}

TEST(X11Keys, ModifierStates) {
  EXPECT_EQ(translate_x11_modifiers(0), 0u);
  EXPECT_EQ(translate_x11_modifiers(ShiftMask | LockMask), unsigned{kModShift});
  EXPECT_EQ(translate_x11_modifiers(ControlMask | Mod1Mask), unsigned{kModControl | kModAlt});
  EXPECT_EQ(translate_x11_modifiers(Mod4Mask | Mod2Mask), unsigned{kModSuper});  // Mod2 is Num Lock
  EXPECT_EQ(translate_x11_key(XK_Left, ControlMask).modifiers, unsigned{kModControl});
}

}  // namespace
}  // namespace pengui
