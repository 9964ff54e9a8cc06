#pragma once
// The settings part of the DSP object: owns the settings manager and hands
// it and its autoload object to the framework. The manager takes the
// plug-in name, version and manufacturer from the object's own properties
// the first time it is asked for, once the object is fully built.

#include <string>

#include "framework/core/dsp_interface.h"
#include "framework/settings/setting_mgr.h"

namespace mppi {

class SettingDspMixin : public virtual DspInterface {
public:
  SettingDspMixin(std::string plugin_name, std::string vendor);
  ~SettingDspMixin() override;

  // Editor thread, after construction.
  basic::SettingMgrInterface* get_setting_mgr() override;
  SettingAutoload* get_setting_autoload() override;
  SettingMgr& use_setting_mgr();

  // Host GUI thread, end of init: loads the stored settings once.
  void autoload_settings();
  bool are_settings_loaded() const { return settings_loaded_; }

  const std::string& get_settings_plugin_name() const { return plugin_name_; }
  const std::string& get_settings_vendor() const { return vendor_; }

private:
  std::string plugin_name_;
  std::string vendor_;
  bool settings_loaded_ = false;
  SettingMgr setting_mgr_;
};

}  // namespace mppi
