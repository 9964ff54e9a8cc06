#pragma once
// The plug-in's settings manager: names the root section after the
// plug-in, stamps the version and refuses the files of other plug-ins.

#include <string>

#include "basic/setting_mgr_interface.h"
#include "framework/settings/setting_autoload.h"

namespace mppi {

class SettingMgr : public basic::SettingMgrInterface {
public:
  // The root section names another plug-in.
  static constexpr int kErrOtherPlugin = -3071;

  SettingMgr();
  ~SettingMgr() override = default;

  // Once the plug-in's own description is known.
  void init(const std::string& plugin_name, double plugin_version, const std::string& manufacturer);
  bool is_initialised() const { return !section_name_.empty(); }

  // "Zindle-BR" gives "Zindle_BR_config_section".
  static std::string make_section_name(const std::string& plugin_name);

  const std::string& get_section_name() const { return section_name_; }
  const std::string& get_version() const { return version_; }
  SettingAutoload& use_autoload() { return autoload_; }

protected:
  int do_before_load(const basic::ConfKeyMulti& root) override;
  void do_after_load(int /*ret_val*/) override {}
  int do_before_save(basic::ConfKeyMulti& root) override;
  void do_after_save(int /*ret_val*/) override {}

private:
  std::string section_name_;
  std::string version_;
  SettingAutoload autoload_;
};

}  // namespace mppi
