#include "gui/text_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/text_box.h"
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
    other.set_bounds({400, 100, 50, 16});
    tw.window.add(&edit);
    tw.window.add(&other);
    tw.settle();
  }
  static Point at_glyph_edge(int index, int offset) { return {102 + 6 * index + offset, 108}; }

  TestWindow tw;
  FontSet font = testing::make_box_font(6, 8);
  TextEdit edit{&font};
  TextBox other{&font};
  RecordingListener listener;
};

TEST_F(TextEditTest, ClickTakesTheFocusAndPlacesTheCaretAtTheNearestEdge) {
  // Before the middle of glyph 3, at its middle, right of the text.
  const std::pair<Point, std::size_t> cases[] = {{at_glyph_edge(3, 2), 3}, {at_glyph_edge(3, 3), 4}, {at_glyph_edge(5, 40), 5}};
  for (const auto& [p, caret] : cases) {
    tw.click(p);
    EXPECT_EQ(tw.window.focus(), &edit);
    EXPECT_EQ(edit.caret(), caret) << p.x;
  }
}

TEST_F(TextEditTest, EditingKeys) {
  struct Step { Key key; unsigned modifiers; uint32_t character; };
  struct Case { const char* name; std::vector<Step> steps; const char* text; std::size_t caret; };
  const Case cases[] = {
      {"backspace at the end", {{Key::backspace, 0, 0}}, "hell", 4},
      {"delete at the start", {{Key::home, 0, 0}, {Key::del, 0, 0}}, "ello", 0},
      {"delete at the end", {{Key::del, 0, 0}}, "hello", 5},
      {"insert in the middle", {{Key::left, 0, 0}, {Key::left, 0, 0}, {Key::character, 0, 'X'}}, "helXlo", 4},
      {"typing replaces a selection", {{Key::home, kModShift, 0}, {Key::character, 0, 'Z'}}, "Z", 1},
      {"shift-left selects, backspace erases it",
       {{Key::left, kModShift, 0}, {Key::left, kModShift, 0}, {Key::backspace, 0, 0}}, "hel", 3},
      {"left collapses a selection at its start", {{Key::home, kModShift, 0}, {Key::left, 0, 0}}, "hello", 0},
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

TEST_F(TextEditTest, ShortcutsAndNavigationOutOfTheFieldGoToTheHost) {
  tw.click(at_glyph_edge(5, 10));
  EXPECT_FALSE(tw.key(Key::character, kModControl, 's'));
  EXPECT_FALSE(tw.key(Key::tab));
  EXPECT_FALSE(tw.key(Key::up));
  EXPECT_EQ(edit.text(), "hello");
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

TEST_F(TextEditTest, DoubleClickSelectsAllAndDragSelectsARange) {
  tw.click(at_glyph_edge(2, 0));
  tw.time -= 1.0;  // the second click within 0.4 s at the same place
  tw.click(at_glyph_edge(2, 0));
  EXPECT_TRUE(edit.selection_start() == 0u && edit.selection_end() == 5u);

  tw.press(at_glyph_edge(1, 0));
  tw.move(at_glyph_edge(4, 1));
  tw.release(at_glyph_edge(4, 1));
  tw.type("_");
  EXPECT_EQ(edit.text(), "h_o");
}

TEST(TextEditAlignment, TheCaretLandsWhereTheTextIsDrawn) {
  // Box 10 .. 109, padding 2, "abcd" is 24 pixels.
  const std::pair<Align, int> cases[] = {{Align::left, 12}, {Align::center, 48}, {Align::right, 84}};
  for (const auto& [align, first_ink] : cases) {
    TestWindow tw;
    FontSet font = testing::make_box_font(6, 8);
    TextEdit edit(&font);
    edit.set_bounds({10, 10, 100, 12});
    edit.set_text("abcd");
    edit.set_align(align);
    edit.set_text_colour(0xC00000);
    tw.window.add(&edit);
    tw.settle();
    int ink = 10;
    while (ink < 110 && tw.pixel({ink, 16}) != 0xC00000u) ++ink;
    EXPECT_EQ(ink, first_ink);
    tw.click({ink + 4, 16});  // past the middle of the first glyph
    EXPECT_EQ(edit.caret(), 1u) << first_ink;
  }
}

}  // namespace
}  // namespace pengui
