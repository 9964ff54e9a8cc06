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
  // Keys as characters; '0' and '1' click the first and second button.
  struct Case { MessageButtons buttons; std::vector<std::pair<Key, char>> input; std::vector<MessageAnswer> answers; };
  using A = MessageAnswer;
  const auto yes_no = MessageButtons::yes_no, ok = MessageButtons::ok;
  const Case cases[] = {
      {yes_no, {{Key::character, '0'}}, {A::yes}},    {yes_no, {{Key::character, '1'}}, {A::no}},
      {yes_no, {{Key::enter, 0}}, {A::yes}},          {yes_no, {{Key::escape, 0}}, {A::no}},
      {yes_no, {{Key::tab, 0}, {Key::enter, 0}}, {A::no}}, {yes_no, {{Key::character, 'y'}}, {A::yes}},
      {yes_no, {{Key::character, 'q'}}, {}},          {ok, {{Key::character, '0'}}, {A::ok}},
      {ok, {{Key::enter, 0}}, {A::ok}},               {ok, {{Key::character, 'N'}}, {}},
  };
  for (const Case& c : cases) {
    answers.clear();
    ASSERT_TRUE(ask(c.buttons));
    EXPECT_EQ(box.button_count(), c.buttons == ok ? 1 : 2);
    for (const auto& [key, ch] : c.input) {
      if (ch == '0' || ch == '1') {
        tw.click(centre_of(box.button_rect(ch - '0')));
      } else {
        EXPECT_TRUE(tw.key(key, 0, static_cast<uint32_t>(ch)));  // modal: never the host's
      }
    }
    const std::string name = std::to_string(c.input[0].second) + " " + std::to_string(int(c.input[0].first));
    EXPECT_EQ(answers, c.answers) << name;
    EXPECT_EQ(tw.window.top_overlay() == &box, c.answers.empty()) << name;
    box.close();
  }
  EXPECT_TRUE(under_listener.sent.empty());
}

TEST_F(MessageBoxTest, IsModalAndAnswersOnlyAReleaseOverThePressedButton) {
  ask(MessageButtons::yes_no);
  tw.click({5, 5});  // outside the box: nothing, and nothing below hears it
  EXPECT_TRUE(under_listener.sent.empty());
  tw.press(centre_of(box.button_rect(0)));
  tw.release(centre_of(box.button_rect(1)));
  EXPECT_TRUE(box.is_shown());
  box.close();  // closing without an answer calls nothing
  EXPECT_FALSE(tw.key(Key::enter));
  EXPECT_TRUE(answers.empty());
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
}

TEST(MessageBoxWrap, BreaksAtNewlinesThenSeparatorsThenCharacters) {
  const FontSet font = testing::make_box_font(6, 8);
  struct Case { const char* text; int width; std::vector<std::string> lines; };
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
    EXPECT_EQ(MessageBox::wrap(&font, c.text, c.width), c.lines) << c.text;
  }
}

}  // namespace
}  // namespace pengui
