#include "gui/text_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::RecordingListener;
using testing::TestWindow;

// Glyphs 6 pixels wide; the text starts at x = 102 (box at 100, padding 2).
class TextEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    edit.set_bounds({100, 100, 200, 16});
    edit.set_text("hello");
    edit.attach(&listener);
    tw.window.add(&edit);
    tw.settle();
  }
  static Point at_glyph_edge(int index, int offset) { return {102 + 6 * index + offset, 108}; }

  TestWindow tw;
  FontSet font = testing::make_box_font(6, 8);
  TextEdit edit{&font};
  RecordingListener listener;
};

TEST_F(TextEditTest, EditingKeys) {
  struct Step { Key key; unsigned modifiers; uint32_t character; };
  struct Case { const char* name; std::vector<Step> steps; const char* text; std::size_t caret; };
  const Case cases[] = {
      {"backspace at the end", {{Key::backspace, 0, 0}}, "hell", 4},
      {"delete at the start", {{Key::home, 0, 0}, {Key::del, 0, 0}}, "ello", 0},
      {"insert in the middle", {{Key::left, 0, 0}, {Key::left, 0, 0}, {Key::character, 0, 'X'}}, "helXlo", 4},
      {"typing replaces a selection", {{Key::home, kModShift, 0}, {Key::character, 0, 'Z'}}, "Z", 1},
      {"Latin-1 is typed", {{Key::character, 0, 0xE9}}, "hello\xE9", 6},
      {"no glyph outside 8 bits", {{Key::character, 0, 0x20AC}}, "hello", 5},
  };
  for (const Case& c : cases) {
    edit.set_text("hello");
    tw.click(at_glyph_edge(5, 10));  // caret at the end
    for (const Step& s : c.steps) EXPECT_TRUE(tw.key(s.key, s.modifiers, s.character)) << c.name;
    EXPECT_EQ(edit.text(), c.text) << c.name;
    EXPECT_EQ(edit.caret(), c.caret) << c.name;
    tw.key(Key::escape);
  }
}

struct Reformats : DefaultEventListener {
  TextEdit* edit = nullptr;
  void text_entered(const char* text) override {
    if (edit) edit->set_text(std::string("[") + text + "]");
  }
};

// Enter commits once (a listener may rewrite the text); Escape and a click
// elsewhere restore it. Either way the keys go back to the host.
TEST_F(TextEditTest, EnterCommitsEscapeAndLosingTheFocusRestore) {
  Reformats reformat;
  edit.attach(&reformat);
  for (int ending = 0; ending < 4; ++ending) {  // enter, enter with rewrite, escape, click elsewhere
    edit.set_text("hello");
    listener.texts.clear();
    reformat.edit = ending == 1 ? &edit : nullptr;
    tw.click(at_glyph_edge(5, 10));
    // Shortcuts and navigation out of the field belong to the host.
    EXPECT_FALSE(tw.key(Key::character, kModControl, 's'));
    EXPECT_FALSE(tw.key(Key::tab) || tw.key(Key::up));
    tw.type(" you");
    if (ending == 3) {
      tw.click({600, 300});  // nothing there
    } else {
      EXPECT_TRUE(tw.key(ending < 2 ? Key::enter : Key::escape));
    }
    const char* const want[] = {"hello you", "[hello you]", "hello", "hello"};
    EXPECT_EQ(edit.text(), want[ending]);
    EXPECT_EQ(listener.texts.size(), ending < 2 ? 1u : 0u) << ending;
    EXPECT_FALSE(tw.key(Key::character, 0, 'x')) << ending;
  }
}

TEST_F(TextEditTest, TextSetFromOutsidePutsTheCaretAtItsEnd) {
  tw.click(at_glyph_edge(5, 10));
  tw.key(Key::home);
  edit.set_text("longer");
  EXPECT_EQ(edit.caret(), 6u);
  tw.type("!");
  EXPECT_EQ(edit.text(), "longer!");
}

TEST_F(TextEditTest, MaxLengthAndFilterLimitTyping) {
  edit.set_max_length(7);
  tw.click(at_glyph_edge(5, 10));
  tw.type("abcd");
  EXPECT_EQ(edit.text(), "helloab");
  tw.key(Key::home, kModShift);  // a selection makes room
  tw.type("xy");
  EXPECT_EQ(edit.text(), "xy");
  tw.key(Key::escape);

  edit.set_max_length(0);  // no limit
  edit.set_filter([](unsigned char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-'; });
  edit.set_text("1");
  tw.click(at_glyph_edge(1, 10));
  tw.type("2a.5 e-");
  EXPECT_EQ(edit.text(), "12.5-");
}

}  // namespace
}  // namespace pengui
