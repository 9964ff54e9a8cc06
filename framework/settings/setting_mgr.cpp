#include "framework/settings/setting_mgr.h"

#include <cstdio>
#include <memory>

#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"

namespace mppi {

SettingMgr::SettingMgr() : autoload_(*this) {}

void SettingMgr::init(const std::string& plugin_name, double plugin_version,
                      const std::string& manufacturer) {
  section_name_ = make_section_name(plugin_name);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2lf", plugin_version);
  version_ = buf;
  autoload_.init(manufacturer, plugin_name);
}

std::string SettingMgr::make_section_name(const std::string& plugin_name) {
  std::string name = plugin_name;
  for (char& c : name) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) c = '_';
  }
  return name + "_config_section";
}

int SettingMgr::do_before_load(const basic::ConfKeyMulti& root) {
  return root.get_name() == section_name_ ? int{basic::kSettingOk} : kErrOtherPlugin;
}

int SettingMgr::do_before_save(basic::ConfKeyMulti& root) {
  root.set_name(section_name_);
  root.add_key(std::make_unique<basic::ConfKeyData>("version", version_));
  return basic::kSettingOk;
}

}  // namespace mppi
