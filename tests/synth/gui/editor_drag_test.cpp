// A knob dragged with real pointer events (XTest on the X display) in the
// real plug-in's editor: the host sees one gesture on that parameter and
// the parameter moves.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "gui/knob.h"
#include "support/editor_input.h"
#include "synth/gui/editor_rig.h"

namespace {

TEST(EditorDrag, KnobDragIsOneHostGesture) {
  SKIP_WITHOUT_DISPLAY();
  editor_test::ScopedGuiScale scale("1");
  pengui::testing::X11TestHost host(900, 446);
  ASSERT_TRUE(host.ok());
  vst2_test::Instance plugin;
  synth::ZindleGui* gui = editor_test::gui_of(plugin);
  ASSERT_NE(gui, nullptr);
  int param = 0;
  const pengui::Knob* knob = nullptr;
  for (; param < synth::kNbrParams && !knob; ++param)
    knob = dynamic_cast<const pengui::Knob*>(gui->meta_controls()[static_cast<size_t>(param)].control());
  ASSERT_NE(knob, nullptr);
  --param;
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.parent_handle()), 1);
  ASSERT_TRUE(editor_test::wait_until_shown(plugin, host));
  const pengui::Rect b = knob->bounds();
  const float before = plugin.get(param);
  vst2_test::host_state().clear();
  auto idle_for = [&](int milliseconds) {
    for (int t = 0; t < milliseconds; t += 20) {
      plugin.dispatch(effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  };

  host.move_pointer(editor_test::editor_window(host), zindle_test::centre_of(b));
  plugin.dispatch(effEditIdle);
  host.button(1, true);
  for (int i = 0; i < 25; ++i) {
    host.move_pointer_by(0, before > 0.5f ? 4 : -4);  // away from the nearer end
    idle_for(20);
  }
  host.button(1, false);
  // The gesture ends half a second after the last change (background thread).
  idle_for(1200);
  const float after = plugin.get(param);
  EXPECT_GT(std::abs(after - before), 0.05f) << "before " << before << " after " << after;
  EXPECT_NEAR(knob->get_value(), after, 1e-6);
  vst2_test::HostState& h = vst2_test::host_state();
  std::lock_guard<std::mutex> lock(h.mutex);
  EXPECT_EQ(h.begin_edits, std::vector<int>{param});
  EXPECT_EQ(h.end_edits, std::vector<int>{param});
  ASSERT_GE(h.automated.size(), 2u);
  EXPECT_EQ(h.automated, std::vector<int>(h.automated.size(), param));
  EXPECT_NEAR(h.automated_values.back(), after, 1e-6);
  EXPECT_TRUE(editor_test::wait_until_shown(plugin, host));
  plugin.dispatch(effEditClose);
}

}  // namespace
