#pragma once
// The setup menu on a window without a display, over the real synth DSP
// object, plug-in core and MIDI manager (wired as the adapter wires them,
// with a throw-away per-user store), a scripted file dialog and a web
// opener that opens nothing. Menus are driven with the mouse through what
// the menu view shows.

#include <memory>
#include <string>
#include <vector>

#include "framework/editor/gui_setup_interface.h"
#include "framework/editor/setup_mgr.h"
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

// The editor's host side: forwards parameter changes to the core, offers
// the MIDI manager.
class SetupHostGui : public zindle_test::EditorCoreHost {
public:
  SetupHostGui(mppi::PluginCore& core, mppi::MidiMgr& midi) : EditorCoreHost(core), midi_(midi) {}
  std::string get_host_string_property(const char* key) override {
    return std::string(key) == "interface_standard" ? "VST 2.0" : std::string();
  }
  void get_settings_path(std::string& out) override { out = settings_path; }
  mppi::MidiMgr* get_midi_mgr() override { return &midi_; }
  std::string settings_path = "/tmp";

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
  SetupRig() : EditorInput(window), host(midi.core, midi.midi) {
    midi.dsp.use_setting_mgr().add_client(midi.midi);
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
    click(zindle_test::centre_of(r));
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
      move(zindle_test::centre_of(r));
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
