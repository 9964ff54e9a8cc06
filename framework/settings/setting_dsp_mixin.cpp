#include "framework/settings/setting_dsp_mixin.h"

#include <utility>

namespace mppi {

SettingDspMixin::SettingDspMixin(std::string plugin_name, std::string vendor)
    : plugin_name_(std::move(plugin_name)), vendor_(std::move(vendor)) {}

SettingDspMixin::~SettingDspMixin() = default;

basic::SettingMgrInterface* SettingDspMixin::get_setting_mgr() { return nullptr; }

SettingAutoload* SettingDspMixin::get_setting_autoload() { return nullptr; }

void SettingDspMixin::autoload_settings() {
  if (settings_loaded_) return;
  settings_loaded_ = true;
}

}  // namespace mppi
