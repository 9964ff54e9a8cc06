#include "framework/editor/setup_ml_settings.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "basic/setting_mgr_interface.h"
#include "framework/core/framework_vendor.h"
#include "framework/editor/setup_mgr.h"
#include "framework/settings/autoload_menu_label.h"
#include "framework/settings/setting_autoload.h"
#include "gui/window.h"

namespace mppi {

namespace {

constexpr char kExtension[] = "cfg.txt";

std::string error_text(const char* what, const std::string& path, int code) {
  return std::string(what) + path + "\n\nCode " + std::to_string(code);
}

bool file_exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

// The per-user store may be out of reach; the file itself was handled.
void remember_latest(SettingAutoload* autoload, const std::string& path) {
  if (autoload == nullptr) return;
  try {
    autoload->write_latest_file(path);
  } catch (const std::exception&) {
  }
}

// Loads or saves the file; the latest file is remembered, a failure shown.
int transfer(SetupMgr& mgr, const std::string& path, bool save) {
  basic::SettingMgrInterface* settings = mgr.setting_mgr();
  if (settings == nullptr) return -1;
  const int rc = save ? settings->save(path) : settings->load(path);
  if (rc == 0) {
    remember_latest(mgr.setting_autoload(), path);
  } else {
    const char* what = save ? "Can't save configuration file\n" : "Can't load configuration file\n";
    mgr.show_message("Error", error_text(what, path, rc));
  }
  return rc;
}

pengui::FileDialogRequest make_request(SetupMgr& mgr, bool save) {
  pengui::FileDialogRequest request;
  request.save = save;
  request.title = save ? "Save Setting File" : "Load Setting File";
  request.filter_name = settings_filter_name();
  request.pattern = settings_pattern();
  request.folder = mgr.settings_folder();
  return request;
}

}  // namespace

std::string settings_filter_name() {
  return std::string(kFrameworkVendor) + " plug-in setting file (*." + kExtension + ")";
}

std::string settings_pattern() { return std::string("*.") + kExtension; }

// --- Load ------------------------------------------------------------------

void SetupMLLoadSettings::menu_refresh(pengui::MenuEntry& entry) {
  entry.set_enabled(use_setup_mgr().setting_mgr() != nullptr);
}

void SetupMLLoadSettings::menu_chosen(pengui::MenuEntry& /*entry*/) {
  SetupMgr& mgr = use_setup_mgr();
  if (mgr.setting_mgr() == nullptr) return;
  mgr.start_file_dialog(make_request(mgr, false), [this](bool ok, const std::string& path) {
    if (ok && !path.empty()) load(path);
  });
}

int SetupMLLoadSettings::load(const std::string& path) { return transfer(use_setup_mgr(), path, false); }

// --- Save ------------------------------------------------------------------

void SetupMLSaveSettings::menu_refresh(pengui::MenuEntry& entry) {
  entry.set_enabled(use_setup_mgr().setting_mgr() != nullptr);
}

void SetupMLSaveSettings::menu_chosen(pengui::MenuEntry& /*entry*/) {
  SetupMgr& mgr = use_setup_mgr();
  if (mgr.setting_mgr() == nullptr) return;
  mgr.start_file_dialog(make_request(mgr, true), [this](bool ok, const std::string& path) {
    if (ok && !path.empty()) save_checked(path);
  });
}

void SetupMLSaveSettings::save_checked(const std::string& path) {
  if (!file_exists(path)) {
    save(path);
    return;
  }
  use_setup_mgr().show_message("Conflict", path + "\nalready exists. Overwrite ?", pengui::MessageButtons::yes_no,
                               [this, path](pengui::MessageAnswer answer) {
                                 if (answer == pengui::MessageAnswer::yes) save(path);
                               });
}

int SetupMLSaveSettings::save(const std::string& path) { return transfer(use_setup_mgr(), path, true); }

// --- Autoload --------------------------------------------------------------

void SetupMLAutoloadSettings::menu_refresh(pengui::MenuEntry& entry) {
  SettingAutoload* autoload = use_setup_mgr().setting_autoload();
  entry.set_enabled(autoload != nullptr);
  std::string label = make_autoload_menu_label(nullptr);
  bool on = false;
  if (autoload != nullptr) {
    try {
      label = autoload->make_menu_label();
      on = autoload->read_autoload_switch();
    } catch (const std::exception&) {
    }
  }
  entry.set_label(label);
  entry.set_ticked(on);
}

void SetupMLAutoloadSettings::menu_chosen(pengui::MenuEntry& /*entry*/) {
  SettingAutoload* autoload = use_setup_mgr().setting_autoload();
  if (autoload == nullptr) return;
  try {
    autoload->write_autoload_switch(!autoload->read_autoload_switch());
  } catch (const std::exception&) {
  }
}

// --- Mouse mode ------------------------------------------------------------

void SetupMLCompatibleMouse::menu_refresh(pengui::MenuEntry& entry) {
  entry.set_ticked(pengui::is_enhanced_mouse_mode());
}

void SetupMLCompatibleMouse::menu_chosen(pengui::MenuEntry& /*entry*/) {
  pengui::set_enhanced_mouse_mode(!pengui::is_enhanced_mouse_mode());
}

}  // namespace mppi
