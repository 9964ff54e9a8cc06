#include "gui/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/push_button.h"
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
      {yes_no, {{Key::character, 'q'}}, {}},          {ok, {{Key::enter, 0}}, {A::ok}},
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

}  // namespace
}  // namespace pengui
