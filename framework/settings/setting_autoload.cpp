#include "framework/settings/setting_autoload.h"

#include <exception>

#include "basic/setting_mgr_interface.h"
#include "framework/settings/autoload_menu_label.h"
#include "sys/persistent_key_list.h"

namespace mppi {
namespace {

constexpr const char* kLatestFile = "LatestConfigFile";
constexpr const char* kAutoloadSwitch = "LatestConfigAutoload";
// The per-user store could not be opened.
constexpr int kStoreFailed = -3074;

}  // namespace

SettingAutoload::SettingAutoload(basic::SettingMgrInterface& mgr) : mgr_(mgr) {}

void SettingAutoload::init(const std::string& manufacturer, const std::string& plugin_name) {
  path_ = manufacturer + "/" + plugin_name;
}

bool SettingAutoload::read_latest_file(std::string& file_name) const {
  const sys::PersistentKeyList store(get_store_path());
  return store.read_string(kLatestFile, file_name);
}

bool SettingAutoload::write_latest_file(const std::string& file_name) {
  if (file_name.size() > kMaxFileNameLength || file_name.find('\0') != std::string::npos) {
    return false;
  }
  sys::PersistentKeyList store(get_store_path());
  return store.write_string(kLatestFile, file_name);
}

bool SettingAutoload::read_autoload_switch() const {
  const sys::PersistentKeyList store(get_store_path());
  std::string value;
  if (!store.read_string(kAutoloadSwitch, value)) return false;
  return !value.empty() && value[0] != '0';
}

void SettingAutoload::write_autoload_switch(bool on) {
  sys::PersistentKeyList store(get_store_path());
  store.write_string(kAutoloadSwitch, on ? "1" : "0");
}

int SettingAutoload::autoload() {
  try {
    std::string file_name;
    if (!read_autoload_switch() || !read_latest_file(file_name)) return 0;
    return mgr_.load(file_name);
  } catch (const std::exception&) {
    return kStoreFailed;
  }
}

std::string SettingAutoload::make_menu_label() const {
  std::string file_name;
  const bool stored = read_latest_file(file_name);
  return make_autoload_menu_label(stored ? &file_name : nullptr);
}

}  // namespace mppi
