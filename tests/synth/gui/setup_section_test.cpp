// The setup button of the real plug-in's editor (on a window without a
// display): its device list reaches the plug-in's own MIDI devices.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/core/dsp_interface.h"
#include "framework/midi/midi_mgr.h"
#include "framework/midi_devices/midi_dev_sel_dispatcher.h"
#include "framework/params/normalized_param_interface.h"
#include "gui/popup_menu_view.h"
#include "gui/support/fake_native_window.h"
#include "support/editor_input.h"
#include "synth/gui/editor_rig.h"
#include "synth/gui/zindle_gui.h"
#include "tools/artgen/panel_layout_table.h"

namespace {

struct OpenEditor {
  OpenEditor() {
    adapter = editor_test::adapter_of(plugin);
    gui = editor_test::gui_of(plugin);
    if (gui == nullptr) return;
    native = pengui::testing::install_fake_native(gui->window());
    gui->set_scale(1);
    opened = gui->open(&parent_stand_in) == 0;
  }
  ~OpenEditor() {
    if (gui) gui->close();
  }

  static pengui::Rect setup_button() {
    for (int i = 0; i < art::kPanelItemCount; ++i)
      if (std::strcmp(art::kPanelItems[i].name, "setup") == 0)
        return {art::kPanelItems[i].x, art::kPanelItems[i].y, art::kPanelItems[i].w, art::kPanelItems[i].h};
    return {};
  }
  // A click where the pointer is, as the display reports it.
  void click(pengui::Point p) {
    native->cursor = p;
    zindle_test::EditorInput(gui->window()).click(p);
    plugin.dispatch(effEditIdle);
  }
  void key(pengui::Key k) {
    zindle_test::EditorInput(gui->window()).key(k);
    plugin.dispatch(effEditIdle);
  }
  const pengui::PopupMenuView* menu() const {
    return dynamic_cast<const pengui::PopupMenuView*>(gui->window().top_overlay());
  }

  vst2_test::Instance plugin;
  mppi::Vst2Plugin* adapter = nullptr;
  synth::ZindleGui* gui = nullptr;
  std::shared_ptr<pengui::testing::FakeNativeRecord> native;
  int parent_stand_in = 0;
  bool opened = false;
};

using pengui::Key;

TEST(SetupSection, InputDeviceNoneStopsTheHostsMidi) {
  OpenEditor ed;
  ASSERT_TRUE(ed.opened);
  ed.plugin.start(44100.0f, 64);
  mppi::MidiMgr* midi = ed.adapter->get_midi_mgr();
  ASSERT_NE(midi, nullptr);
  const int param = 0;
  const uint8_t controller = 85;
  ASSERT_EQ(midi->bind(param, controller, 0), 0);
  mppi::NormalizedParamInterface* p = ed.adapter->use_dsp().get_param(param);
  ed.plugin.send_midi({{0xB0, controller, 127}});
  ed.plugin.render(64, 64);
  const double top = (127 << 7) / 16383.0;  // a 7-bit controller fills the upper bits
  ASSERT_NEAR(p->nrm(), top, 1e-6) << "the host's MIDI reaches the parameter";

  const pengui::Rect button = OpenEditor::setup_button();
  ed.click({button.x + 2, button.y + 2});
  // MIDI, then the pointer on "Input device" (its third entry) opens it.
  for (Key k : {Key::down, Key::down, Key::down, Key::down, Key::right}) ed.key(k);
  const pengui::PopupMenuView* menu = ed.menu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->level_count(), 2);
  const pengui::Rect input = menu->entry_rect(1, 2);
  pengui::MouseEvent over;
  over.pos = zindle_test::centre_of(input);
  ed.gui->window().native_mouse_move(over);
  ASSERT_EQ(menu->level_count(), 3);
  int rows = 0;
  while (!menu->entry_rect(2, rows).empty()) ++rows;
  ASSERT_GE(rows, 2) << "the host's input and None";
  const pengui::Rect none = menu->entry_rect(2, rows - 1);
  ed.click(zindle_test::centre_of(none));
  EXPECT_EQ(ed.menu(), nullptr);
  EXPECT_EQ(ed.gui->window().top_overlay(), nullptr) << "no error box";
  ASSERT_NE(ed.adapter->get_midi_dev_dispatcher(), nullptr);
  EXPECT_EQ(ed.adapter->get_midi_dev_dispatcher()->get_selected_input(), -1);

  ed.plugin.send_midi({{0xB0, controller, 0}});
  ed.plugin.render(64, 64);
  EXPECT_NEAR(p->nrm(), top, 1e-6) << "no input device: the controller is not heard";
}

}  // namespace
