#include "gui/popup_menu.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gui/menu_listener_interface.h"
#include "gui/popup_menu_view.h"
#include "gui/push_button.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::TestWindow;
using testing::centre_of;

class CountingEntry : public MenuListenerInterface {
public:
  int chosen = 0, refreshed = 0, last_tag = -1;
  bool tick = false, enabled = true;
  std::string label;  // empty: keep the label

  void menu_refresh(MenuEntry& entry) override {
    ++refreshed;
    entry.set_ticked(tick);
    entry.set_enabled(enabled);
    if (!label.empty()) entry.set_label(label);
  }
  void menu_chosen(MenuEntry& entry) override { ++chosen, last_tag = entry.tag(); }
};

// Refills its submenu each time its level opens, as a device list does.
class DeviceList : public MenuListenerInterface {
public:
  std::vector<std::string> devices;
  CountingEntry device_entry;
  void menu_refresh(MenuEntry& entry) override {
    entry.submenu()->clear();
    for (const std::string& d : devices) entry.submenu()->add_entry(d, &device_entry);
  }
  void menu_chosen(MenuEntry&) override {}
};

// Root: "About..." | "Disabled" | separator | "MIDI" > ("Auto-bind", "Input device" > devices)
class PopupMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    menu.set_font(&font);
    menu.add_entry("About...", &about);
    menu.add_entry("Disabled", &disabled);
    menu.add_separator();
    PopupMenu& midi = menu.add_submenu("MIDI");
    midi.add_entry("Auto-bind", &autobind);
    midi.add_submenu("Input device", &inputs);
    disabled.enabled = false;
    autobind.tick = true;
    inputs.devices = {"Port A", "Port B", "None"};
    tw.window.add(&under);
    under.set_bounds({0, 0, 900, 446});
    under.attach(&under_listener);
    tw.settle();
  }
  const PopupMenuView& view() const { return *menu.view(); }
  Point entry(int level, int index) const { return centre_of(view().entry_rect(level, index)); }
  int total_chosen() const { return about.chosen + disabled.chosen + autobind.chosen + inputs.device_entry.chosen; }

  TestWindow tw;
  FontSet font = testing::make_box_font(6, 8);
  PopupMenu menu;
  CountingEntry about, disabled, autobind;
  DeviceList inputs;
  PushButton under;  // catches presses that get past the menu
  testing::RecordingListener under_listener;
};

TEST_F(PopupMenuTest, AClickChoosesOnceAndClosesAndAPressOutsideOnlyCloses) {
  EXPECT_FALSE(PopupMenu().popup(tw.window, {10, 10}));  // an empty menu does not pop up
  ASSERT_TRUE(menu.popup(tw.window, {100, 50}));
  tw.click(entry(0, 0));
  EXPECT_TRUE(about.chosen == 1 && total_chosen() == 1);
  EXPECT_EQ(tw.window.top_overlay(), nullptr);
  menu.popup(tw.window, {100, 50});
  tw.move(entry(0, 3));
  tw.click({800, 400});
  EXPECT_FALSE(menu.is_shown());
  EXPECT_EQ(total_chosen(), 1);
  EXPECT_TRUE(under_listener.sent.empty());
}

TEST_F(PopupMenuTest, EntriesAreRefreshedEachTimeTheirLevelOpens) {
  about.label = "About Zindle...";
  menu.popup(tw.window, {0, 0});
  EXPECT_EQ(menu.entry(0)->label(), "About Zindle...");
  EXPECT_FALSE(menu.entry(1)->is_enabled());
  EXPECT_EQ(autobind.refreshed, 0);  // its level is not open yet
  tw.move(entry(0, 3));              // hover "MIDI"
  EXPECT_TRUE(menu.entry(3)->submenu()->entry(0)->is_ticked());
  menu.close();
  autobind.tick = false;
  menu.popup(tw.window, {0, 0});
  tw.move(entry(0, 3));
  EXPECT_FALSE(menu.entry(3)->submenu()->entry(0)->is_ticked());
}

TEST_F(PopupMenuTest, WhatCannotBeChosenKeepsTheMenuOpen) {
  menu.set_title("Load preset");
  menu.popup(tw.window, {100, 50});
  const Rect panel = view().panel_rect(0);
  // Disabled, separator, title line, then a submenu title that opens its submenu.
  for (const Point p : {entry(0, 1), entry(0, 2), Point{panel.x + 20, panel.y + 5}, entry(0, 3)}) {
    tw.click(p);
    EXPECT_TRUE(menu.is_shown()) << p.x << "," << p.y;
  }
  EXPECT_EQ(view().level_count(), 2);
  EXPECT_EQ(total_chosen(), 0);
}

TEST_F(PopupMenuTest, KeyboardWalksChoosesAndCloses) {
  struct Case {
    const char* name;
    std::vector<Key> keys;
    int about, autobind, devices;
    int levels_left;  // 0: closed
  } cases[] = {
      {"down and enter chooses the first", {Key::down, Key::enter}, 1, 0, 0, 0},
      {"down skips the disabled entry and the separator", {Key::down, Key::down, Key::right, Key::enter}, 0, 1, 0, 0},
      {"up wraps to the last", {Key::up, Key::enter, Key::enter}, 0, 1, 0, 0},
      {"into the device list", {Key::up, Key::right, Key::down, Key::right, Key::down, Key::down, Key::enter},
       0, 0, 1, 0},
      {"escape closes one level", {Key::up, Key::right, Key::escape}, 0, 0, 0, 1},
      {"escape at the root closes", {Key::down, Key::escape}, 0, 0, 0, 0},
      {"enter with nothing highlighted", {Key::enter}, 0, 0, 0, 1},
  };
  for (const Case& c : cases) {
    about.chosen = autobind.chosen = inputs.device_entry.chosen = 0;
    menu.popup(tw.window, {100, 50});
    for (Key k : c.keys) EXPECT_TRUE(tw.key(k)) << c.name;  // the host sees none
    EXPECT_EQ(about.chosen, c.about) << c.name;
    EXPECT_EQ(autobind.chosen, c.autobind) << c.name;
    EXPECT_EQ(inputs.device_entry.chosen, c.devices) << c.name;
    EXPECT_EQ(menu.is_shown() ? view().level_count() : 0, c.levels_left) << c.name;
    menu.close();
  }
}

class PopsUpOnPress : public DefaultEventListener {
public:
  PopsUpOnPress(PopupMenu& menu, Window& window) : menu_(menu), window_(window) {}
  void value_changed(double nrm, int) override {
    if (nrm == PushButton::kPressValue) menu_.popup(window_, {300, 300});
  }

private:
  PopupMenu& menu_;
  Window& window_;
};

TEST_F(PopupMenuTest, TheReleaseOfThePressThatOpenedTheMenuChoosesNothing) {
  PushButton setup;
  setup.set_bounds({300, 300, 30, 20});
  tw.window.add(&setup);
  PopsUpOnPress opener(menu, tw.window);
  setup.attach(&opener);
  tw.press({310, 310});
  ASSERT_TRUE(view().entry_rect(0, 0).contains({310, 310}));  // the first entry lies under the pointer
  tw.release({310, 310});
  EXPECT_TRUE(menu.is_shown());
  EXPECT_EQ(total_chosen(), 0);
}

TEST_F(PopupMenuTest, MenusStayInsideTheWindow) {
  for (const Point at : {Point{890, 440}, Point{-50, -20}}) {
    menu.popup(tw.window, at);
    tw.move(entry(0, 3));
    tw.move(entry(1, 1));
    ASSERT_EQ(view().level_count(), 3);
    for (int level = 0; level < 3; ++level) {
      const Rect r = view().panel_rect(level);
      EXPECT_EQ(r.intersect({0, 0, 900, 446}), r) << at.x << "," << at.y << " level " << level;
    }
    // Near the right edge a submenu opens to the left of its parent.
    EXPECT_EQ(view().panel_rect(1).x < view().panel_rect(0).x, at.x > 800);
    menu.close();
  }
}

TEST_F(PopupMenuTest, ALongMenuBreaksIntoColumnsThatFitTheWindow) {
  PopupMenu programs;
  CountingEntry program;
  programs.set_font(&font);
  programs.set_title("Store preset");
  char label[32];
  for (int i = 0; i < 64; ++i) programs.add_entry((std::snprintf(label, sizeof label, "%2d - Program", i + 1), label), &program);
  programs.popup(tw.window, {400, 100});
  const PopupMenuView& v = *programs.view();
  const Rect panel = v.panel_rect(0);
  EXPECT_EQ(panel.intersect({0, 0, 900, 446}), panel);
  for (int i = 1; i < 64; ++i) EXPECT_TRUE(v.entry_rect(0, i).intersect(v.entry_rect(0, i - 1)).empty()) << i;
  EXPECT_GT(v.entry_rect(0, 63).x, v.entry_rect(0, 0).x);  // more than one column
  tw.click(centre_of(v.entry_rect(0, 63)));
  EXPECT_EQ(program.last_tag, 63);
}

}  // namespace
}  // namespace pengui
