#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "gui/flip_flop.h"
#include "gui/popup_menu.h"
#include "gui/push_button.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::RecordingListener;
using testing::TestWindow;

using Sent = std::vector<std::pair<double, int>>;

class PushButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    button.set_bounds({100, 100, 40, 20});
    button.attach(&listener);
    tw.window.add(&button);
    tw.settle();
  }
  TestWindow tw;
  PushButton button;
  RecordingListener listener;
};

TEST_F(PushButtonTest, PressSendsZeroAndACompletedClickSendsOne) {
  struct Case {
    const char* name;
    bool enabled;
    Point release_at;
    Sent sent;
  };
  const Case cases[] = {
      {"click", true, {120, 110}, {{0.0, 200}, {1.0, 200}}},
      {"released elsewhere", true, {300, 300}, {{0.0, 200}}},
      {"disabled", false, {120, 110}, {}},
  };
  for (const Case& c : cases) {
    listener.sent.clear();
    button.set_enabled(c.enabled);
    tw.press({120, 110});
    EXPECT_EQ(button.is_pressed(), c.enabled) << c.name;
    tw.release(c.release_at);
    tw.time += 1.0;
    EXPECT_EQ(listener.sent, c.sent) << c.name;
    EXPECT_FALSE(button.is_pressed()) << c.name;
  }
}

TEST_F(PushButtonTest, LooksPressedOnlyWhileThePointerIsOverIt) {
  const uint32_t up = tw.pixel({120, 110});
  tw.press({120, 110});
  tw.settle();
  const uint32_t down = tw.pixel({120, 110});
  EXPECT_NE(down, up);
  tw.move({200, 200});
  tw.settle();
  EXPECT_EQ(tw.pixel({120, 110}), up);
  tw.move({121, 111});
  tw.settle();
  EXPECT_EQ(tw.pixel({120, 110}), down);
}

class OpensMenuOnPress : public DefaultEventListener {
public:
  OpensMenuOnPress(PopupMenu& menu, Window& window) : menu_(menu), window_(window) {}
  void value_changed(double nrm, int /*prio*/) override {
    if (nrm == PushButton::kPressValue) menu_.popup(window_, {120, 110});
  }

private:
  PopupMenu& menu_;
  Window& window_;
};

TEST_F(PushButtonTest, AButtonWhosePressOpensAMenuDoesNotStayPressed) {
  PopupMenu menu;
  menu.add_entry("About...");
  OpensMenuOnPress opener(menu, tw.window);
  button.attach(&opener);
  tw.press({120, 110});
  EXPECT_TRUE(menu.is_shown());
  EXPECT_FALSE(button.is_pressed());
  tw.release({120, 110});
  EXPECT_EQ(listener.sent, (Sent{{0.0, 200}}));  // the release went to the menu
}

class FlipFlopTest : public ::testing::Test {
protected:
  void SetUp() override {
    flip.set_bounds({50, 50, 12, 12});
    flip.attach(&listener);
    tw.window.add(&flip);
    tw.settle();
  }
  TestWindow tw;
  FlipFlop flip;
  RecordingListener listener;
};

// Each click flips what is shown (on from 0.5), unless refused or disabled.
TEST_F(FlipFlopTest, ClicksFlipTheShownStateUnlessRefusedOrDisabled) {
  struct Case {
    double set;
    bool refuse, enabled;
    Sent sent;
    bool on_after;
  } cases[] = {
      {0.0, false, true, {{1.0, 200}}, true},   {0.49, false, true, {{1.0, 200}}, true},
      {0.5, false, true, {{0.0, 200}}, false},  {1.0, false, true, {{0.0, 200}}, false},
      {0.0, true, true, {}, false},             {0.0, false, false, {}, false},
  };
  for (const Case& c : cases) {
    flip.set_no_send(c.set, 1);
    flip.set_enabled(c.enabled);
    listener.refuse = c.refuse;
    listener.sent.clear();
    tw.click({56, 56});
    EXPECT_EQ(listener.sent, c.sent) << c.set;
    EXPECT_EQ(flip.is_on(), c.on_after) << c.set;
  }
}

TEST_F(FlipFlopTest, OnlyTheSwitchRepaintsAndItsLampFollowsTheState) {
  const uint32_t off_lamp = tw.pixel({56, 56});
  tw.click({56, 56});
  tw.window.render_dirty();
  EXPECT_EQ(tw.native->presented, (std::vector<Rect>{flip.bounds()}));
  EXPECT_NE(tw.pixel({56, 56}), off_lamp);
  tw.click({56, 56});
  tw.settle();
  EXPECT_EQ(tw.pixel({56, 56}), off_lamp);
}

}  // namespace
}  // namespace pengui
