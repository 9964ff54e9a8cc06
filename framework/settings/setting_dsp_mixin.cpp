#include "framework/settings/setting_dsp_mixin.h"

#include <utility>

namespace mppi {

SettingDspMixin::SettingDspMixin(std::string plugin_name, std::string vendor)
    : plugin_name_(std::move(plugin_name)), vendor_(std::move(vendor)) {}

SettingDspMixin::~SettingDspMixin() = default;

SettingMgr& SettingDspMixin::use_setting_mgr() {
  if (!setting_mgr_.is_initialised()) {
    std::string name = get_string_property("plugin_name");
    if (name.empty()) name = plugin_name_;
    std::string manufacturer = get_string_property("manufacturer");
    if (manufacturer.empty()) manufacturer = vendor_;
    setting_mgr_.init(name, get_num_property("plugin_version"), manufacturer);
  }
  return setting_mgr_;
}

basic::SettingMgrInterface* SettingDspMixin::get_setting_mgr() { return &use_setting_mgr(); }

SettingAutoload* SettingDspMixin::get_setting_autoload() { return &use_setting_mgr().use_autoload(); }

void SettingDspMixin::autoload_settings() {
  if (settings_loaded_) return;
  settings_loaded_ = true;
  use_setting_mgr().use_autoload().autoload();
}

}  // namespace mppi
