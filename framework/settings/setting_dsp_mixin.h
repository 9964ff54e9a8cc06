#pragma once
// The settings part of the DSP object: the plug-in and vendor names that key
// the per-user settings, and the settings objects handed to the framework.

#include <string>

#include "framework/core/dsp_interface.h"

namespace mppi {

class SettingDspMixin : public virtual DspInterface {
public:
  SettingDspMixin(std::string plugin_name, std::string vendor);
  ~SettingDspMixin() override;

  basic::SettingMgrInterface* get_setting_mgr() override;
  SettingAutoload* get_setting_autoload() override;

  // Host GUI thread, end of init: loads the stored settings once.
  void autoload_settings();
  bool are_settings_loaded() const { return settings_loaded_; }

  const std::string& get_settings_plugin_name() const { return plugin_name_; }
  const std::string& get_settings_vendor() const { return vendor_; }

private:
  std::string plugin_name_;
  std::string vendor_;
  bool settings_loaded_ = false;
};

}  // namespace mppi
