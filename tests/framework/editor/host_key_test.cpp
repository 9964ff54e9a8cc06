// Keys as hosts pass them to the editor (effEditKeyDown/Up arguments).

#include <gtest/gtest.h>

#include "framework/editor/host_key.h"

namespace {

using pengui::Key;

struct KeyCase {
  int character, virtual_key, modifiers;
  Key key;
  uint32_t text;
  unsigned mods;
};

TEST(HostKey, VirtualKeysCharactersAndModifiers) {
  const KeyCase cases[] = {
      {'a', 0, 0, Key::character, 'a', 0},
      {'A', 0, 1, Key::character, 'A', pengui::kModShift},
      {0, 7, 0, Key::character, ' ', 0},  // space comes as a virtual key
      {0, 1, 0, Key::backspace, 0, 0},
      {0, 4, 0, Key::enter, 0, 0},
      {0, 19, 0, Key::enter, 0, 0},  // the number block's enter
      {0, 11, 0, Key::left, 0, 0},
      {0, 16, 0, Key::page_down, 0, 0},
      {0, 22, 0, Key::del, 0, 0},
      {'7', 32, 0, Key::character, '7', 0},  // number block digit with its character
      {0, 41, 0, Key::none, 0, 0},           // F1: not ours
      {0, 55, 1, Key::none, 0, pengui::kModShift},
      {'c', 0, 4, Key::character, 'c', pengui::kModControl},  // "command" is control outside macOS
      {'x', 0, 2, Key::character, 'x', pengui::kModAlt},
      {0x08, 0, 0, Key::none, 0, 0},  // control characters carry no text
      {-5, 0, 0, Key::none, 0, 0},
      {0xe9, 0, 0, Key::character, 0xe9, 0},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "character " << c.character << " virtual " << c.virtual_key << " mods "
                                    << c.modifiers);
    const pengui::KeyEvent e = mppi::key_from_host(c.character, c.virtual_key, c.modifiers);
    EXPECT_EQ(e.key, c.key);
    EXPECT_EQ(e.character, c.text);
    EXPECT_EQ(e.modifiers, c.mods);
  }
}

}  // namespace
