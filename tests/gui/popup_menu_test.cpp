#include "gui/popup_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/menu_listener_interface.h"
#include "gui/popup_menu_view.h"
#include "gui/widget_harness.h"

namespace pengui {
namespace {

using testing::TestWindow;

class CountingEntry : public MenuListenerInterface {
public:
  int chosen = 0;
  bool enabled = true;
  void menu_refresh(MenuEntry& entry) override { entry.set_enabled(enabled); }
  void menu_chosen(MenuEntry&) override { ++chosen; }
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
    inputs.devices = {"Port A", "Port B", "None"};
  }
  const PopupMenuView& view() const { return *menu.view(); }

  TestWindow tw;
  FontSet font = testing::make_box_font(6, 8);
  PopupMenu menu;
  CountingEntry about, disabled, autobind;
  DeviceList inputs;
};

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

}  // namespace
}  // namespace pengui
