// A knob dragged with the mouse (XTest on the X display) in the real
// plug-in's editor: the host sees begin-edit, automation and end-edit in
// that order, the parameter moves, and the drag costs little.

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <ctime>
#include <iostream>
#include <thread>

#include "gui/knob.h"
#include "synth/gui/editor_host_log.h"
#include "synth/gui/editor_rig.h"

namespace {

using editor_test::HostEvent;
using editor_test::HostLog;
using pengui::testing::X11TestHost;

double process_cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

TEST(EditorDrag, KnobDragIsOneHostGestureAndCheap) {
  SKIP_WITHOUT_DISPLAY();
  editor_test::ScopedGuiScale scale("1");
  X11TestHost host(900, 446);
  ASSERT_TRUE(host.ok());
  editor_test::LoggedInstance plugin;
  ASSERT_NE(plugin.get(), nullptr);
  AEffect* effect = plugin.get();
  synth::ZindleGui* gui = editor_test::gui_of(effect);
  ASSERT_NE(gui, nullptr);
  int param = -1;
  pengui::Knob* knob = nullptr;
  for (int i = 0; i < synth::kNbrParams && !knob; ++i) {
    knob = dynamic_cast<pengui::Knob*>(gui->meta_controls()[static_cast<size_t>(i)].control());
    if (knob) param = i;
  }
  if (!knob) GTEST_SKIP() << "no knob on the panel yet";
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.parent_handle()), 1);
  ASSERT_TRUE(editor_test::wait_until_shown(effect, host));
  const ::Window w = editor_test::editor_window(host);
  const pengui::Rect b = knob->bounds();
  const float before = effect->getParameter(effect, param);
  // Downwards from the top half of the range, upwards otherwise.
  const int step = before > 0.5f ? 4 : -4;
  HostLog::clear();

  host.move_pointer(w, {b.x + b.w / 2, b.y + b.h / 2});
  plugin.dispatch(effEditIdle);
  const double cpu0 = process_cpu_seconds();
  const auto t0 = std::chrono::steady_clock::now();
  host.button(1, true);
  for (int i = 0; i < 25; ++i) {
    plugin.dispatch(effEditIdle);
    host.move_pointer_by(0, step);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  plugin.dispatch(effEditIdle);
  host.button(1, false);
  plugin.dispatch(effEditIdle);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double drag_percent = 100.0 * (process_cpu_seconds() - cpu0) / wall;
  std::cout << "knob drag " << drag_percent << " % of a core\n";
  RecordProperty("drag_percent", std::to_string(drag_percent));
  EXPECT_LT(drag_percent, 5.0);

  // The gesture ends half a second after the last change (background thread).
  auto ended = [] {
    for (const HostEvent& e : HostLog::events())
      if (e.kind == HostEvent::end_edit) return true;
    return false;
  };
  for (int i = 0; i < 100 && !ended(); ++i) {
    plugin.dispatch(effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(ended());
  // Where the knob came to rest (it glides to the last step after release).
  const float after = effect->getParameter(effect, param);
  EXPECT_GT(std::abs(after - before), 0.05f) << "before " << before << " after " << after;
  EXPECT_NEAR(knob->get_value(), after, 1e-6);
  const std::vector<HostEvent> log = HostLog::events();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front().kind, HostEvent::begin_edit);
  EXPECT_EQ(log.back().kind, HostEvent::end_edit);
  int automations = 0;
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].index, param) << "event " << i;
    if (i > 0 && i + 1 < log.size()) {
      EXPECT_EQ(log[i].kind, HostEvent::automate) << "event " << i;
    }
    automations += log[i].kind == HostEvent::automate;
  }
  EXPECT_GE(automations, 2);
  EXPECT_NEAR(log[log.size() - 2].value, after, 1e-6);
  // The window shows the knob where the drag left it.
  EXPECT_TRUE(editor_test::wait_until_shown(effect, host));
  plugin.dispatch(effEditClose);
}

}  // namespace
