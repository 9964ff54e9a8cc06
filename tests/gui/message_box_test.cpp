#include "gui/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/push_button.h"
#include "gui/text_box.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::TestWindow;
using testing::centre_of;

class MessageBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    under.set_bounds({0, 0, 900, 446});
    under.attach(&under_listener);
    tw.window.add(&under);
    tw.settle();
  }
  bool ask(MessageButtons buttons) {
    return box.show(tw.window, "Conflict", "/home/u/bank.pbk\nalready exists. Overwrite ?", buttons,
                    [this](MessageAnswer a) { answers.push_back(a); });
  }

  TestWindow tw;
  FontSet font = testing::make_box_font(6, 8);
  MessageBox box{&font};
  PushButton under;
  testing::RecordingListener under_listener;
  std::vector<MessageAnswer> answers;
};

TEST_F(MessageBoxTest, AnswersFromClicksAndKeys) {
  enum class Do { click_first, click_second, enter, escape, tab_enter, y, n, other_key };
  struct Case {
    const char* name;
    MessageButtons buttons;
    Do action;
    std::vector<MessageAnswer> answers;
  };
  using A = MessageAnswer;
  const Case cases[] = {
      {"click Yes", MessageButtons::yes_no, Do::click_first, {A::yes}},
      {"click No", MessageButtons::yes_no, Do::click_second, {A::no}},
      {"Enter is Yes", MessageButtons::yes_no, Do::enter, {A::yes}},
      {"Escape is No", MessageButtons::yes_no, Do::escape, {A::no}},
      {"Tab then Enter is No", MessageButtons::yes_no, Do::tab_enter, {A::no}},
      {"Y", MessageButtons::yes_no, Do::y, {A::yes}},
      {"other keys wait", MessageButtons::yes_no, Do::other_key, {}},
      {"click OK", MessageButtons::ok, Do::click_first, {A::ok}},
      {"Enter is OK", MessageButtons::ok, Do::enter, {A::ok}},
      {"N does nothing in an OK box", MessageButtons::ok, Do::n, {}},
  };
  for (const Case& c : cases) {
    answers.clear();
    ASSERT_TRUE(ask(c.buttons)) << c.name;
    EXPECT_EQ(box.button_count(), c.buttons == MessageButtons::ok ? 1 : 2);
    switch (c.action) {
      case Do::click_first: tw.click(centre_of(box.button_rect(0))); break;
      case Do::click_second: tw.click(centre_of(box.button_rect(1))); break;
      case Do::enter: EXPECT_TRUE(tw.key(Key::enter)); break;
      case Do::escape: EXPECT_TRUE(tw.key(Key::escape)); break;
      case Do::tab_enter: tw.key(Key::tab); tw.key(Key::enter); break;
      case Do::y: tw.key(Key::character, 0, 'y'); break;
      case Do::n: tw.key(Key::character, 0, 'N'); break;
      case Do::other_key: EXPECT_TRUE(tw.key(Key::character, 0, 'q')); break;  // modal: not the host's
    }
    EXPECT_EQ(answers, c.answers) << c.name;
    EXPECT_EQ(tw.window.top_overlay() == &box, c.answers.empty()) << c.name;
    box.close();
  }
  EXPECT_TRUE(under_listener.sent.empty());
}

TEST_F(MessageBoxTest, IsModalAndAnswersOnlyAReleaseOverThePressedButton) {
  ask(MessageButtons::yes_no);
  tw.click({5, 5});  // outside the box: nothing, and nothing below hears it
  EXPECT_TRUE(box.is_shown());
  EXPECT_TRUE(under_listener.sent.empty());

  tw.press(centre_of(box.button_rect(0)));
  tw.release(centre_of(box.button_rect(1)));
  tw.time += 1.0;
  EXPECT_TRUE(answers.empty());
  EXPECT_TRUE(box.is_shown());
}

TEST_F(MessageBoxTest, TheAnswerComesAfterClosingSoItMayShowTheNextBox) {
  std::vector<std::string> shown;
  box.show(tw.window, "Conflict", "x\nalready exists. Overwrite ?", MessageButtons::yes_no,
           [&](MessageAnswer a) {
             shown.push_back(a == MessageAnswer::yes ? "yes" : "no");
             EXPECT_FALSE(box.is_shown());
             EXPECT_TRUE(box.show(tw.window, "Error", "Can't save bank file\nx\n\nCode 5", MessageButtons::ok,
                                  [&](MessageAnswer) { shown.push_back("ok"); }));
           });
  EXPECT_FALSE(box.show(tw.window, "Other", "text", MessageButtons::ok, nullptr));  // still waiting
  tw.key(Key::enter);
  ASSERT_TRUE(box.is_shown());
  EXPECT_EQ(box.lines(), (std::vector<std::string>{"Can't save bank file", "x", "", "Code 5"}));
  tw.key(Key::enter);
  EXPECT_EQ(shown, (std::vector<std::string>{"yes", "ok"}));
  EXPECT_FALSE(box.is_shown());
}

TEST_F(MessageBoxTest, ClosingWithoutAnAnswerCallsNothing) {
  ask(MessageButtons::yes_no);
  box.close();
  box.close();
  EXPECT_FALSE(tw.key(Key::enter));
  EXPECT_TRUE(answers.empty());
}

TEST(MessageBoxWrap, BreaksAtNewlinesThenSeparatorsThenCharacters) {
  const FontSet font = testing::make_box_font(6, 8);
  struct Case {
    const char* text;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"Can't load bank file\n/a/b.pbk\n\nCode 3", 600, {"Can't load bank file", "/a/b.pbk", "", "Code 3"}},
      {"one two three", 60, {"one two", "three"}},  // 60 pixels = 10 glyphs
      {"/home/user/banks/b.pbk", 60, {"/home/", "user/", "banks/", "b.pbk"}},
      {"C:\\Users\\me\\x.pbk", 60, {"C:\\Users\\", "me\\x.pbk"}},
      {"/music/abcdefghijklmn.pbk", 60, {"/music/", "abcdefghij", "klmn.pbk"}},
      {"ab", 3, {"a", "b"}},  // narrower than a glyph: one per line
      {"", 60, {""}},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> lines = MessageBox::wrap(&font, c.text, c.width);
    EXPECT_EQ(lines, c.lines) << c.text;
    for (const std::string& l : lines) {
      if (l.size() > 1) {
        EXPECT_LE(TextBox::measure(&font, l), c.width) << l;
      }
    }
  }
}

TEST_F(MessageBoxTest, ALongPathIsWrappedInsideABoxInsideTheWindow) {
  const std::string path = "/home/someone/music/projects/" + std::string(200, 'x') + "/bank.pbk";
  box.show(tw.window, "Error", "Can't save bank file\n" + path + "\n\nCode 2", MessageButtons::ok, nullptr);
  const Rect b = box.bounds();
  EXPECT_EQ(b.intersect({0, 0, 900, 446}), b);
  EXPECT_GT(box.lines().size(), 5u);
  for (const std::string& l : box.lines()) EXPECT_LT(TextBox::measure(&font, l), b.w) << l;
  tw.settle();
  EXPECT_NE(tw.pixel(centre_of(box.button_rect(0))), tw.pixel({2, 2}));  // drawn over the panel
}

}  // namespace
}  // namespace pengui
