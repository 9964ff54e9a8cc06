// The editor through the plug-in's dispatcher, as a host drives it: sizes
// and the host's scale call, host keys, idle before open, many open/close
// cycles, also while the audio thread plays, two editors, a parent
// destroyed first and automation from another thread.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

#include "gui/desktop_scale.h"
#include "gui/text_edit.h"
#include "synth/gui/editor_rig.h"

namespace {

using editor_test::editor_rect;
using editor_test::editor_window;
using editor_test::gui_of;
using editor_test::ScopedGuiScale;
using pengui::testing::X11TestHost;
using vst2_test::Instance;

// An instance and its host's window at 1x on the X display.
class EditorLife : public ::testing::Test {
protected:
  void SetUp() override {
    SKIP_WITHOUT_DISPLAY();
    ASSERT_TRUE(host.ok());
    ASSERT_NE(gui_of(plugin), nullptr);
  }
  bool open() { return plugin.dispatch(effEditOpen, 0, 0, host.parent_handle()) == 1; }

  ScopedGuiScale scale{"1"};
  X11TestHost host;
  Instance plugin;
};

TEST(EditorSize, RectIsThePanelTimesTheScaleAndNonsenseScalesAreRefused) {
  const struct {
    const char* forced;  // ZINDLE_GUI_SCALE, null when unset
    float host_scale;    // 0: no scale call
    int width, height;   // 0: the desktop's scale decides
  } cases[] = {
      {nullptr, 0.0f, 0, 0},       {nullptr, 1.5f, 1800, 892},
      {nullptr, 1.25f, 900, 446},  {"1", 2.0f, 900, 446},
      {"2", 1.0f, 1800, 892},      {nullptr, -2.0f, 0, 0},
      {nullptr, std::numeric_limits<float>::quiet_NaN(), 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("forced ") + (c.forced ? c.forced : "no") + ", host " + std::to_string(c.host_scale));
    ScopedGuiScale scale(c.forced);
    const int desktop = pengui::query_desktop_scale();
    Instance plugin;
    ASSERT_NE(plugin.get(), nullptr);
    if (c.host_scale != 0.0f) {
      const bool sane = c.host_scale > 0.0f && std::isfinite(c.host_scale);
      EXPECT_EQ(plugin.dispatch(effVendorSpecific, editor_test::kScaleVendor, editor_test::kScaleCall, nullptr,
                                c.host_scale),
                sane);
    }
    // Another vendor's call with the same factor changes nothing.
    plugin.dispatch(effVendorSpecific, 0x12345678, editor_test::kScaleCall, nullptr, 3.0f);
    const ERect r = editor_rect(plugin);
    EXPECT_EQ(r.right, c.width ? c.width : 900 * desktop);
    EXPECT_EQ(r.bottom, c.height ? c.height : 446 * desktop);
  }
}

TEST_F(EditorLife, HostKeysReachTheFocusedFieldAndOthersGoBack) {
  ASSERT_TRUE(open());
  pengui::TextEdit field;
  field.set_bounds({10, 10, 100, 14});
  gui_of(plugin)->window().add(&field);
  gui_of(plugin)->window().set_focus(&field);
  field.set_text("");
  // Characters, then the host's virtual backspace, F1 and enter.
  for (const int c : {'x', '7', '5'}) EXPECT_EQ(plugin.dispatch(effEditKeyDown, c, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 0, 1, nullptr, 0.0f), 1);
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 0, 41, nullptr, 0.0f), 0);
  EXPECT_EQ(field.text(), "x7");
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 0, 4, nullptr, 0.0f), 1);
  EXPECT_FALSE(field.is_editing());
  // Nothing has the keyboard now: keys go back to the host.
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 'y', 0, nullptr, 0.0f), 0);
  EXPECT_EQ(field.text(), "x7");
  gui_of(plugin)->window().remove(&field);
  plugin.dispatch(effEditClose);
}

TEST_F(EditorLife, FiftyOpenCloseCyclesLeaveNoWindowOrConnection) {
  const int clients_before = host.client_count();
  plugin.dispatch(effEditIdle);  // some hosts idle before the first open
  plugin.dispatch(effEditClose);
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(open()) << "cycle " << i;
    ASSERT_TRUE(open()) << "cycle " << i;  // a second open keeps the one editor
    plugin.dispatch(effEditIdle);
    host.sync();
    ASSERT_NE(editor_window(host), 0u) << "cycle " << i;
    plugin.dispatch(effEditClose);
    plugin.dispatch(effEditClose);
    host.sync();
    ASSERT_EQ(editor_window(host), 0u) << "cycle " << i;
  }
  if (clients_before >= 0) {
    EXPECT_EQ(host.client_count(), clients_before);
  }
  EXPECT_EQ(X11TestHost::host_errors(), 0);
}

// Hosts close editors while playing: whatever the editor shares with the
// audio thread must outlive it.
TEST_F(EditorLife, OpenAndCloseWhileTheAudioThreadPlaysNotes) {
  plugin.start(44100.0f, 64);
  std::atomic<bool> playing{true};
  std::thread audio([&] {
    for (uint8_t note = 36; playing.load(); note = note == 96 ? 36 : note + 1) {
      plugin.send_midi({{0x90, note, 100}, {0x80, static_cast<uint8_t>(note - 1), 0}});
      plugin.render(64, 64);
    }
  });
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(open()) << "cycle " << i;
    plugin.dispatch(effEditIdle);
    plugin.dispatch(effEditClose);
  }
  playing = false;
  audio.join();
  EXPECT_EQ(X11TestHost::host_errors(), 0);
}

TEST_F(EditorLife, TwoInstancesShowTheirEditorsAtOnce) {
  X11TestHost host_b(900, 446);
  // Side by side: a covered window reads back what covers it.
  XMoveWindow(host_b.display(), host_b.parent(), 1050, 0);
  host_b.sync();
  Instance b;
  ASSERT_TRUE(open());
  ASSERT_EQ(b.dispatch(effEditOpen, 0, 0, host_b.parent_handle()), 1);
  EXPECT_TRUE(editor_test::wait_until_shown(plugin, host));
  EXPECT_TRUE(editor_test::wait_until_shown(b, host_b));
  // Closing one leaves the other drawing.
  plugin.dispatch(effEditClose);
  EXPECT_TRUE(editor_test::wait_until_shown(b, host_b));
  b.dispatch(effEditClose);
}

TEST_F(EditorLife, HostDestroysTheParentBeforeClosing) {
  ASSERT_TRUE(open());
  plugin.dispatch(effEditIdle);
  host.destroy_parent();
  for (int i = 0; i < 5; ++i) plugin.dispatch(effEditIdle);
  plugin.dispatch(effEditClose);
  // The editor opens again in the host's next window.
  X11TestHost next;
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, next.parent_handle()), 1);
  EXPECT_TRUE(editor_test::wait_until_shown(plugin, next));
  plugin.dispatch(effEditClose);
  EXPECT_EQ(X11TestHost::host_errors(), 0);
}

TEST_F(EditorLife, HostAutomationFromAnotherThreadMovesTheControlAtIdle) {
  ASSERT_TRUE(open());
  plugin.dispatch(effEditIdle);
  const pengui::ControlInterface* control = gui_of(plugin)->meta_controls()[0].control();
  ASSERT_NE(control, nullptr);
  const float target = control->get_value() < 0.5 ? 0.875f : 0.125f;
  vst2_test::host_state().clear();
  std::thread automation([&] { plugin.set(0, target); });
  automation.join();
  EXPECT_NE(control->get_value(), target);  // not touched from the other thread
  plugin.dispatch(effEditIdle);
  EXPECT_NEAR(control->get_value(), target, 1e-6);
  // Shown, not sent back.
  std::lock_guard<std::mutex> lock(vst2_test::host_state().mutex);
  EXPECT_TRUE(vst2_test::host_state().automated.empty());
  EXPECT_TRUE(vst2_test::host_state().begin_edits.empty());
}

}  // namespace
