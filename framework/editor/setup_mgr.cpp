#include "framework/editor/setup_mgr.h"

#include <cmath>

#include "framework/core/dsp_interface.h"
#include "framework/core/framework_vendor.h"
#include "framework/core/host_gui_interface.h"
#include "framework/editor/gui_setup_interface.h"
#include "framework/editor/setup_ml_compat.h"
#include "framework/editor/setup_ml_info.h"
#include "framework/editor/setup_ml_midi.h"
#include "framework/editor/setup_ml_midi_device.h"
#include "framework/editor/setup_ml_settings.h"
#include "framework/midi/midi_mgr.h"
#include "framework/midi_devices/midi_dev_selector_interface.h"
#include "framework/settings/setting_autoload.h"
#include "gui/window.h"

namespace mppi {

SetupMgr::SetupMgr() = default;

SetupMgr::~SetupMgr() { close(); }

bool SetupMgr::init(pengui::Window& window, GuiSetupInterface* gui, HostGuiInterface* host, DspInterface* dsp,
                    const pengui::FontSet* font) {
  if (built_) return false;
  window_ = &window;
  gui_ = gui;
  host_ = host;
  dsp_ = dsp;
  font_ = font;
  box_.set_font(font);
  menu_.set_font(font);
  auto_bind_.init(midi_mgr(), dsp);
  build_menu();
  built_ = true;
  return true;
}

template <class Entry, class... Args>
Entry& SetupMgr::make_entry(Args&&... args) {
  auto entry = std::make_unique<Entry>(*this, std::forward<Args>(args)...);
  Entry& ref = *entry;
  entries_.push_back(std::move(entry));
  return ref;
}

void SetupMgr::build_menu() {
  menu_.add_entry("About...", &make_entry<SetupMLAbout>());

  pengui::PopupMenu& web = menu_.add_submenu(std::string(kFrameworkVendor) + " on the web");
  web.add_entry("Product info...", &make_entry<SetupMLWebSite>(WebSiteJumpInterface::kProductInfo));
  web.add_entry("Updates...", &make_entry<SetupMLWebSite>(WebSiteJumpInterface::kUpdates));
  web.add_entry("Documentation...", &make_entry<SetupMLWebSite>(WebSiteJumpInterface::kDocumentation));
  web.add_entry("Presets...", &make_entry<SetupMLWebSite>(WebSiteJumpInterface::kPresets));

  pengui::PopupMenu& settings = menu_.add_submenu("Settings");
  settings.add_entry("Load...", &make_entry<SetupMLLoadSettings>());
  settings.add_entry("Save...", &make_entry<SetupMLSaveSettings>());
  settings.add_entry("", &make_entry<SetupMLAutoloadSettings>());
  settings.add_entry("Enhanced mouse mode", &make_entry<SetupMLCompatibleMouse>());

  pengui::PopupMenu& midi = menu_.add_submenu("MIDI");
  midi.add_entry("Auto-bind", &make_entry<SetupMLMidiAutoBind>());
  midi.add_entry("Un-bind", &make_entry<SetupMLMidiUnBind>());
  midi.add_submenu("Input device", &make_entry<SetupMLMidiDevice>(SetupMLMidiDevice::kInput));
  midi.add_submenu("Output device", &make_entry<SetupMLMidiDevice>(SetupMLMidiDevice::kOutput));
  midi.add_entry("Old erroneous nrpn behaviour", &make_entry<SetupMLMidiNrpnComp>());

  // Both switches exist in every build; only the hosts they concern see them.
  SetupMLAuAutoComp& au = make_entry<SetupMLAuAutoComp>();
  SetupMLRtasShowAuto& rtas = make_entry<SetupMLRtasShowAuto>();
  const std::string standard = host_ != nullptr ? host_->get_host_string_property("interface_standard") : "";
  const double hide = dsp_ != nullptr ? dsp_->get_num_property("hide_parameters") : 0.0;
  if (shows_au_menu(standard)) menu_.add_submenu("Audio Unit").add_entry("Old erroneous AU automation", &au);
  if (shows_rtas_menu(standard, hide)) menu_.add_submenu("RTAS").add_entry("Show automated parameters", &rtas);
}

bool SetupMgr::shows_au_menu(const std::string& interface_standard) {
  return interface_standard.compare(0, 2, "AU") == 0;
}

bool SetupMgr::shows_rtas_menu(const std::string& interface_standard, double hide_parameters) {
  return interface_standard.compare(0, 4, "RTAS") == 0 && std::fabs(hide_parameters - 1.0) < 1e-9;
}

void SetupMgr::set_web_site_jump(std::unique_ptr<WebSiteJumpInterface> jump) { web_site_jump_ = std::move(jump); }

bool SetupMgr::popup(pengui::Point at) {
  if (!built_ || window_ == nullptr) return false;
  lists_fresh_ = false;
  sync_selection();
  return menu_.popup(*window_, at);
}

void SetupMgr::idle() {
  if (dialog_) dialog_->poll();
  sync_selection();
}

void SetupMgr::close() {
  menu_.close();
  box_.close();
  if (dialog_) dialog_->cancel();
}

void SetupMgr::detach() {
  close();
  if (auto_bind_.is_autobind_on()) auto_bind_.toggle_autobind();
  if (MidiMgr* midi = midi_mgr()) midi->disarm();
}

MidiMgr* SetupMgr::midi_mgr() const { return host_ != nullptr ? host_->get_midi_mgr() : nullptr; }

MidiDevSelectorInterface* SetupMgr::midi_devices() {
  if (host_ == nullptr) return nullptr;
  if (!lists_fresh_) {
    host_->update_midi_dev_lists();
    lists_fresh_ = true;
  }
  return host_->get_midi_dev_selector();
}

basic::SettingMgrInterface* SetupMgr::setting_mgr() const { return dsp_ != nullptr ? dsp_->get_setting_mgr() : nullptr; }

SettingAutoload* SetupMgr::setting_autoload() const {
  return dsp_ != nullptr ? dsp_->get_setting_autoload() : nullptr;
}

WebSiteJumpInterface& SetupMgr::use_web_site_jump() {
  if (!web_site_jump_) web_site_jump_ = std::make_unique<WebSiteJump>(plugin_version());
  return *web_site_jump_;
}

std::string SetupMgr::plugin_name() const { return dsp_ != nullptr ? dsp_->get_string_property("plugin_name") : ""; }

double SetupMgr::plugin_version() const { return dsp_ != nullptr ? dsp_->get_num_property("plugin_version") : 0.0; }

std::string SetupMgr::settings_folder() const {
  std::string folder;
  if (host_ != nullptr) host_->get_settings_path(folder);
  return folder;
}

void SetupMgr::sync_selection() {
  const int touched = gui_ != nullptr ? gui_->get_last_touched_param() : -1;
  if (touched == seen_touched_) return;
  seen_touched_ = touched;
  if (touched >= 0) auto_bind_.select_parameter(touched);
}

bool SetupMgr::show_message(const std::string& title, const std::string& text, pengui::MessageButtons buttons,
                            pengui::MessageBox::Done done) {
  if (window_ == nullptr) return false;
  if (!done) done = [](pengui::MessageAnswer) {};
  return box_.show(*window_, title, text, buttons, std::move(done));
}

bool SetupMgr::start_file_dialog(const pengui::FileDialogRequest& request, pengui::FileDialog::Done done) {
  if (window_ == nullptr) return false;
  if (!dialog_) {
    dialog_ = dialog_factory_ ? dialog_factory_(*window_) : pengui::make_file_dialog(*window_);
    if (!dialog_) return false;
    dialog_->set_font(font_);
  }
  return dialog_->start(request, std::move(done));
}

}  // namespace mppi
