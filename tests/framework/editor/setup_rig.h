#pragma once
// The setup menu on a window without a display, over the real synth DSP
// object, plug-in core and MIDI manager (wired as the adapter wires them,
// with a throw-away per-user store), a scripted file dialog, a scripted
// device selector and a recording web opener. Menus are driven with the
// mouse through what the menu view shows.

#include <memory>
#include <string>
#include <vector>

#include "framework/editor/gui_setup_interface.h"
#include "framework/editor/setup_mgr.h"
#include "framework/midi_devices/midi_dev_selector_interface.h"
#include "gui/file_dialog.h"
#include "gui/image_loader.h"
#include "gui/popup_menu_view.h"
#include "gui/support/fake_native_window.h"
#include "gui/window.h"
#include "support/editor_core_host.h"
#include "support/editor_input.h"
#include "support/scripted_file_dialog.h"
#include "tests/framework/midi/midi_mgr_rig.h"
#include "tools/artgen/art_resources.h"

namespace setup_test {

using zindle_test::DialogScript;
using ScriptedFileDialog = zindle_test::ScriptedFileDialog;

class FakeSelector : public mppi::MidiDevSelectorInterface {
public:
  int get_nbr_inputs() const override { return static_cast<int>(inputs.size()); }
  std::string get_input_name(int i) const override { return inputs.at(static_cast<size_t>(i)); }
  int get_nbr_outputs() const override { return static_cast<int>(outputs.size()); }
  std::string get_output_name(int i) const override { return outputs.at(static_cast<size_t>(i)); }
  int select_input(int i) override { return select(i, get_nbr_inputs(), selected_in, "in"); }
  int select_output(int i) override { return select(i, get_nbr_outputs(), selected_out, "out"); }
  int get_selected_input() const override { return selected_in; }
  int get_selected_output() const override { return selected_out; }
  int update_lists() override { return 0; }

  std::vector<std::string> inputs{"VST MIDI In interface", "Midi Through Port-0"};
  std::vector<std::string> outputs{"VST MIDI Out interface", "Midi Through Port-0", "USB Keys MIDI 1"};
  int selected_in = 0;
  int selected_out = 0;
  bool fail = false;
  std::vector<std::string> selections;  // "in 1", "out -1"

private:
  int select(int i, int count, int& selected, const char* side) {
    selections.push_back(std::string(side) + " " + std::to_string(i));
    if (fail) return -1;
    selected = i >= 0 && i < count ? i : -1;
    return 0;
  }
};

// The editor's host side: forwards parameter changes to the core, offers
// the MIDI manager and the device selector.
class SetupHostGui : public zindle_test::EditorCoreHost {
public:
  SetupHostGui(mppi::PluginCore& core, mppi::MidiMgr& midi) : EditorCoreHost(core), midi_(midi) {}
  std::string get_host_string_property(const char* key) override {
    return std::string(key) == "interface_standard" ? standard : std::string();
  }
  void get_settings_path(std::string& out) override { out = settings_path; }
  mppi::MidiMgr* get_midi_mgr() override { return &midi_; }
  mppi::MidiDevSelectorInterface* get_midi_dev_selector() override { return &selector; }
  int update_midi_dev_lists() override {
    ++list_updates;
    return 0;
  }

  std::string standard = "VST 2.0";
  std::string settings_path = "/tmp";
  FakeSelector selector;
  int list_updates = 0;

private:
  mppi::MidiMgr& midi_;
};

class FakeEditor : public mppi::GuiSetupInterface {
public:
  void refresh_all_controls() override {}
  int get_last_touched_param() const override { return touched; }
  int touched = -1;
};

inline const pengui::FontSet& menu_font() {
  static const pengui::FontSet font = [] {
    art::register_art_resources();
    return pengui::load_font(art::kFontName);
  }();
  return font;
}

struct SetupRig : zindle_test::EditorInput {
  explicit SetupRig(const std::string& standard = "VST 2.0") : EditorInput(window), host(midi.core, midi.midi) {
    midi.dsp.use_setting_mgr().add_client(midi.midi);
    host.standard = standard;
    window.open(nullptr);
    setup.set_file_dialog_factory([this](pengui::Window&) { return std::make_unique<ScriptedFileDialog>(dialog); });
    setup.set_web_site_jump(std::make_unique<mppi::WebSiteJump>(1.31, [](const std::string&) { return true; }));
    setup.init(window, &editor, &host, &midi.dsp, &menu_font());
  }

  // Opens the menu and walks `path` (labels, or their beginnings) with the
  // mouse; the last one is clicked. False when a label is not there.
  bool choose(const std::vector<std::string>& path) {
    if (!open(path, path.size() - 1)) return false;
    const pengui::Rect r = view().entry_rect(static_cast<int>(path.size()) - 1, last_index_);
    click({r.x + r.w / 2, r.y + r.h / 2});
    after_menu();
    return true;
  }
  // Opens the menu and the submenus of the first `levels` labels of `path`.
  bool open(const std::vector<std::string>& path, size_t levels) {
    if (!setup.popup({20, 20})) return false;
    pengui::PopupMenu* menu = &setup.use_menu();
    for (size_t level = 0; level <= levels && level < path.size(); ++level) {
      last_index_ = find(*menu, path[level]);
      if (last_index_ < 0) return false;
      last_menu_ = menu;
      const pengui::Rect r = view().entry_rect(static_cast<int>(level), last_index_);
      move({r.x + r.w / 2, r.y + r.h / 2});
      menu = menu->entry(last_index_)->submenu();
      if (level < levels && (menu == nullptr || view().level_count() != static_cast<int>(level) + 2)) return false;
    }
    return true;
  }
  static int find(const pengui::PopupMenu& menu, const std::string& label) {
    for (int i = 0; i < menu.size(); ++i)
      if (menu.entry(i)->label().compare(0, label.size(), label) == 0) return i;
    return -1;
  }
  // The entry at `path` after the levels leading to it were opened.
  pengui::MenuEntry* entry(const std::vector<std::string>& path) {
    if (!open(path, path.size() - 1)) return nullptr;
    pengui::MenuEntry* e = last_menu_->entry(last_index_);
    setup.use_menu().close();
    return e;
  }
  static std::vector<std::string> labels(const pengui::PopupMenu& menu) {
    std::vector<std::string> out;
    for (int i = 0; i < menu.size(); ++i) out.push_back(menu.entry(i)->label());
    return out;
  }
  // The dialog answers and the boxes appear.
  void after_menu() {
    setup.idle();
    window.idle();
  }
  // A key for the message box: 'y', 'n', or '\n' for Enter.
  void answer(char key) {
    if (key == '\n')
      EditorInput::key(pengui::Key::enter);
    else
      EditorInput::key(pengui::Key::character, static_cast<uint32_t>(key));
    after_menu();
  }
  const pengui::PopupMenuView& view() { return *setup.use_menu().view(); }
  std::string param_name(int index) {
    char name[129] = {};
    midi.dsp.get_param(index)->get_name(name, sizeof name);
    return name;
  }

  midi_test::MidiRig midi;
  SetupHostGui host;
  FakeEditor editor;
  pengui::Window window{900, 446};
  std::shared_ptr<pengui::testing::FakeNativeRecord> native = pengui::testing::install_fake_native(window);
  std::shared_ptr<DialogScript> dialog = std::make_shared<DialogScript>();
  mppi::SetupMgr setup;

private:
  int last_index_ = -1;
  pengui::PopupMenu* last_menu_ = nullptr;
};

}  // namespace setup_test
