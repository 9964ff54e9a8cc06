#pragma once
// The setup menu: built once with the editor, popped up by the setup
// button, its entries refreshed each time a level opens. The manager holds
// the entry objects and what they reach: the editor, the host's GUI side,
// the DSP object (settings), the MIDI manager and device selector, the
// message box, the file dialog and the web jumps. Editor thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/editor/setup_component.h"
#include "framework/editor/web_site_jump.h"
#include "framework/midi/midi_auto_bind_mgr.h"
#include "gui/file_dialog.h"
#include "gui/geometry.h"
#include "gui/message_box.h"
#include "gui/popup_menu.h"

namespace basic {
class SettingMgrInterface;
}

namespace mppi {

class DspInterface;
class GuiSetupInterface;
class HostGuiInterface;
class MidiDevSelectorInterface;
class MidiMgr;
class SettingAutoload;

class SetupMgr {
public:
  using FileDialogFactory = std::function<std::unique_ptr<pengui::FileDialog>(pengui::Window&)>;

  SetupMgr();
  ~SetupMgr();
  SetupMgr(const SetupMgr&) = delete;
  SetupMgr& operator=(const SetupMgr&) = delete;

  // --- Set-up (editor creation) --------------------------------------------
  // gui, host and dsp may be null: the entries that need them are then
  // shown disabled. Builds the menu; false when called twice.
  bool init(pengui::Window& window, GuiSetupInterface* gui, HostGuiInterface* host, DspInterface* dsp,
            const pengui::FontSet* font);
  // Before the first dialog or jump; tests put fakes here.
  void set_file_dialog_factory(FileDialogFactory factory) { dialog_factory_ = std::move(factory); }
  void set_web_site_jump(std::unique_ptr<WebSiteJumpInterface> jump);

  // --- Use ---------------------------------------------------------------------
  // Shows the menu with its corner at `at` (logical pixels).
  bool popup(pengui::Point at);
  // Each editor idle: the dialog's answer, the parameter touched last.
  void idle();
  // Takes the menu, box and dialog away.
  void close();
  // The editor lets go of the DSP side: closes, and learning stops so that
  // no controller is bound after the editor has gone.
  void detach();
  pengui::PopupMenu& use_menu() { return menu_; }
  const pengui::MessageBox& message_box() const { return box_; }

  // Which optional submenus a host gets: "Audio Unit" for AU hosts, "RTAS"
  // for RTAS hosts when the plug-in hides its parameters from them.
  static bool shows_au_menu(const std::string& interface_standard);
  static bool shows_rtas_menu(const std::string& interface_standard, double hide_parameters);

  // --- For the entries ---------------------------------------------------------
  pengui::Window* window() const { return window_; }
  GuiSetupInterface* gui() const { return gui_; }
  HostGuiInterface* host() const { return host_; }
  DspInterface* dsp() const { return dsp_; }
  MidiMgr* midi_mgr() const;
  MidiAutoBindMgr& use_auto_bind() { return auto_bind_; }
  // The selector with its lists read again once per menu opening (the
  // system's ports are asked only when a device list is about to show).
  MidiDevSelectorInterface* midi_devices();
  basic::SettingMgrInterface* setting_mgr() const;
  SettingAutoload* setting_autoload() const;
  WebSiteJumpInterface& use_web_site_jump();
  std::string plugin_name() const;
  double plugin_version() const;
  // Where file dialogs start.
  std::string settings_folder() const;
  // False when a box or dialog of the menu is still waiting.
  bool show_message(const std::string& title, const std::string& text,
                    pengui::MessageButtons buttons = pengui::MessageButtons::ok, pengui::MessageBox::Done done = {});
  bool start_file_dialog(const pengui::FileDialogRequest& request, pengui::FileDialog::Done done);

private:
  void build_menu();
  // The parameter last touched in the editor becomes the MIDI learn target.
  void sync_selection();
  template <class Entry, class... Args>
  Entry& make_entry(Args&&... args);

  pengui::Window* window_ = nullptr;
  GuiSetupInterface* gui_ = nullptr;
  HostGuiInterface* host_ = nullptr;
  DspInterface* dsp_ = nullptr;
  const pengui::FontSet* font_ = nullptr;
  bool built_ = false;
  bool lists_fresh_ = false;
  int seen_touched_ = -1;

  MidiAutoBindMgr auto_bind_;
  FileDialogFactory dialog_factory_;
  std::unique_ptr<WebSiteJumpInterface> web_site_jump_;
  std::vector<std::unique_ptr<SetupComponent>> entries_;
  // Declared after the entries they point at, so they go first.
  pengui::MessageBox box_;
  std::unique_ptr<pengui::FileDialog> dialog_;
  pengui::PopupMenu menu_;
};

}  // namespace mppi
