// The panel in the real plug-in's editor, driven with XTest on the X
// display: a fader and a switch moved by the mouse reach the host as one
// gesture each, a key of the on-screen keyboard plays and shows, and host
// automation and program changes move the controls without an echo.

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "gui/fader.h"
#include "gui/flip_flop.h"
#include "synth/gui/editor_host_log.h"
#include "synth/gui/editor_rig.h"
#include "synth/params/param_id.h"

namespace {

using editor_test::HostEvent;
using editor_test::HostLog;
using pengui::testing::X11TestHost;
using synth::ParamId;

struct OpenEditor {
  OpenEditor() : scale("1"), host(900, 446) {}
  bool open() {
    if (!host.ok() || plugin.get() == nullptr) return false;
    gui = editor_test::gui_of(plugin.get());
    if (!gui || plugin.dispatch(effEditOpen, 0, 0, host.parent_handle()) != 1) return false;
    if (!editor_test::wait_until_shown(plugin.get(), host)) return false;
    w = editor_test::editor_window(host);
    return w != 0;
  }
  void idle_for(int milliseconds) {
    for (int t = 0; t < milliseconds; t += 20) {
      plugin.dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  // Waits for the background thread to close the gesture.
  std::vector<HostEvent> gesture() {
    for (int i = 0; i < 100; ++i) {
      for (const HostEvent& e : HostLog::events()) {
        if (e.kind == HostEvent::end_edit) return HostLog::events();
      }
      idle_for(20);
    }
    return HostLog::events();
  }
  // One audio block; its peak level.
  float render_block() {
    std::vector<float> left(1024), right(1024);
    float* outs[2] = {left.data(), right.data()};
    plugin.get()->processReplacing(plugin.get(), nullptr, outs, 1024);
    float peak = 0.0f;
    for (float x : left) peak = std::max(peak, std::abs(x));
    return peak;
  }
  pengui::Point centre(ParamId id) const {
    const auto* widget = dynamic_cast<const pengui::Widget*>(gui->meta_controls()[synth::index(id)].control());
    const pengui::Rect b = widget->bounds();
    return {b.x + b.w / 2, b.y + b.h / 2};
  }

  editor_test::ScopedGuiScale scale;
  X11TestHost host;
  editor_test::LoggedInstance plugin;
  synth::ZindleGui* gui = nullptr;
  ::Window w = 0;
};

void expect_one_gesture(const std::vector<HostEvent>& log, int param, float final_value) {
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front().kind, HostEvent::begin_edit);
  EXPECT_EQ(log.back().kind, HostEvent::end_edit);
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].index, param) << "event " << i;
    if (i > 0 && i + 1 < log.size()) {
      EXPECT_EQ(log[i].kind, HostEvent::automate) << "event " << i;
    }
  }
  EXPECT_FLOAT_EQ(log[log.size() - 2].value, final_value);
}

TEST(PanelXTest, AFaderDragAndASwitchClickAreOneGestureEach) {
  SKIP_WITHOUT_DISPLAY();
  OpenEditor e;
  ASSERT_TRUE(e.open());
  AEffect* effect = e.plugin.get();

  const int level = synth::index(ParamId::kMix1Lvl);
  const float level_before = effect->getParameter(effect, level);
  HostLog::clear();
  e.host.move_pointer(e.w, e.centre(ParamId::kMix1Lvl));
  e.idle_for(40);
  e.host.button(1, true);
  for (int i = 0; i < 8; ++i) {
    e.idle_for(20);
    e.host.move_pointer_by(0, level_before > 0.5f ? 4 : -4);
  }
  e.idle_for(600);  // the cap glides to where the mouse left it
  e.host.button(1, false);
  e.idle_for(100);
  const float level_after = effect->getParameter(effect, level);
  EXPECT_GT(std::abs(level_after - level_before), 0.3f);
  expect_one_gesture(e.gesture(), level, level_after);

  const int sync = synth::index(ParamId::kVco2Sync);
  const float sync_before = effect->getParameter(effect, sync);
  HostLog::clear();
  e.host.move_pointer(e.w, e.centre(ParamId::kVco2Sync));
  e.idle_for(40);
  e.host.button(1, true);
  e.idle_for(40);
  e.host.button(1, false);
  e.idle_for(40);
  EXPECT_EQ(effect->getParameter(effect, sync), 1.0f - sync_before);
  expect_one_gesture(e.gesture(), sync, 1.0f - sync_before);
  e.plugin.dispatch(effEditClose);
}

TEST(PanelXTest, AKeyClickedPlaysAndShows) {
  SKIP_WITHOUT_DISPLAY();
  OpenEditor e;
  ASSERT_TRUE(e.open());
  // Middle C, the 15th of the 29 white keys from C2 over 609 pixels at x 275,
  // clicked towards its front.
  const pengui::Point c4{275 + 14 * 609 / 29 + 10, 369 + 60};
  e.plugin.dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(e.render_block(), 0.0f);
  e.host.move_pointer(e.w, c4);
  e.idle_for(40);
  e.host.button(1, true);
  e.idle_for(40);
  EXPECT_GT(e.render_block(), 0.01f);  // the audio thread plays the key
  e.idle_for(60);
  const std::vector<uint32_t> held = editor_test::buffer_pixels(*e.gui);
  e.host.button(1, false);
  e.idle_for(40);
  e.render_block();
  e.idle_for(60);
  const std::vector<uint32_t> released = editor_test::buffer_pixels(*e.gui);
  const size_t at = static_cast<size_t>(c4.y) * 900 + static_cast<size_t>(c4.x);
  EXPECT_NE(held[at], released[at]);
  e.plugin.dispatch(effMainsChanged, 0, 0);
  e.plugin.dispatch(effEditClose);
}

TEST(PanelXTest, HostAutomationAndProgramChangesMoveControlsWithoutEcho) {
  SKIP_WITHOUT_DISPLAY();
  OpenEditor e;
  ASSERT_TRUE(e.open());
  AEffect* effect = e.plugin.get();
  const int attack = synth::index(ParamId::kAdsrAtkTime);
  const auto* fader = dynamic_cast<const pengui::Fader*>(e.gui->meta_controls()[attack].control());
  ASSERT_NE(fader, nullptr);
  HostLog::clear();
  effect->setParameter(effect, attack, 0.75f);
  e.idle_for(60);
  EXPECT_FLOAT_EQ(static_cast<float>(fader->get_value()), 0.75f);

  e.plugin.dispatch(effSetProgram, 0, 5);
  e.idle_for(60);
  for (int i = 0; i < synth::kNbrParams; ++i) {
    EXPECT_FLOAT_EQ(static_cast<float>(e.gui->meta_controls()[static_cast<size_t>(i)].control()->get_value()),
                    effect->getParameter(effect, i))
        << "parameter " << i;
  }
  e.idle_for(700);
  for (const HostEvent& ev : HostLog::events()) {
    EXPECT_NE(ev.kind, HostEvent::begin_edit) << "parameter " << ev.index;
  }
  e.plugin.dispatch(effEditClose);
}

}  // namespace
