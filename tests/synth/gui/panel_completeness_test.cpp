#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "panel_rig.h"
#include "synth/params/param_table.h"

namespace panel_test {
namespace {

using zindle_test::HostEvent;

// Drags a pot by `pixels` upwards (negative: downwards), as the enhanced
// mouse mode reports it: relative movements in steps of 4 pixels.
void drag(PanelRig& r, const pengui::Rect& bounds, int pixels) {
  const pengui::Point at = centre_of(bounds);
  r.press(at);
  const int step = pixels > 0 ? -4 : 4;
  for (int moved = 0; moved < std::abs(pixels); moved += 4) {
    r.move(at, 0, step);
    r.run(0.03);
  }
  r.run(0.6);
  r.release(at);
  r.run(0.3);
}

// Every control, moved with the mouse, moves its own parameter and no
// other, and the host sees one gesture: begin-edit, automation, end-edit.
TEST(PanelCompleteness, MovingEachControlMovesExactlyItsParameter) {
  PanelRig r;
  ASSERT_TRUE(r.built_all);
  int controls = 0;
  for (const synth::PanelSection* section : r.param_sections()) controls += section->controls().size();
  EXPECT_EQ(controls, synth::kNbrParams);
  for (int i = 0; i < synth::kNbrParams; ++i) {
    const synth::ParamRow& row = synth::param_row(synth::param_id(i));
    SCOPED_TRACE(row.name);
    std::array<float, synth::kNbrParams> before{};
    for (int k = 0; k < synth::kNbrParams; ++k) before[static_cast<size_t>(k)] = r.nrm(k);
    r.host_gui.calls.clear();
    r.rig.host.take();
    r.last_touched = -1;

    const pengui::Widget* widget = r.widget_of(i);
    ASSERT_NE(widget, nullptr);
    const bool two_state = row.kind == synth::ParamKind::kChoice || row.kind == synth::ParamKind::kBlendChoice;
    if (two_state) {
      r.click(centre_of(widget->bounds()));
    } else {
      drag(r, widget->bounds(), before[static_cast<size_t>(i)] < 0.5f ? 24 : -24);
    }

    EXPECT_EQ(r.last_touched, i);
    EXPECT_GT(std::abs(r.nrm(i) - before[static_cast<size_t>(i)]), 0.05f);
    for (int k = 0; k < synth::kNbrParams; ++k)
      EXPECT_TRUE(k == i || r.nrm(k) == before[static_cast<size_t>(k)]) << "parameter " << k << " moved too";
    const std::vector<GuiCall>& changes = r.host_gui.calls;
    ASSERT_FALSE(changes.empty());
    for (const GuiCall& c : changes) EXPECT_EQ(c.param, i);
    EXPECT_EQ(changes.front().kind, GuiCall::Set);
    if (two_state) {
      ASSERT_EQ(changes.size(), 1u);
      EXPECT_EQ(changes.front().source, 200);
    } else {
      EXPECT_EQ(changes.front().source, 50);
      EXPECT_EQ(changes.back().kind, GuiCall::Release);
      EXPECT_EQ(changes.back().source, 200);
    }

    // The background check closes the gesture once the editor has let go.
    r.run(0.6);
    r.rig.core.close_gestures();
    std::vector<HostEvent> host;
    for (const HostEvent& e : r.rig.host.take()) {
      if (e.kind != HostEvent::Update) host.push_back(e);
    }
    ASSERT_GE(host.size(), 3u);
    for (size_t k = 0; k < host.size(); ++k) {
      EXPECT_EQ(host[k].index, i);
      EXPECT_EQ(host[k].kind, k == 0 ? HostEvent::Begin : k + 1 < host.size() ? HostEvent::Automate : HostEvent::End);
    }
    EXPECT_FLOAT_EQ(host[host.size() - 2].value, r.nrm(i));
  }
}

}  // namespace
}  // namespace panel_test
