#pragma once
// The latest settings file and the switch that loads it whenever a new
// instance starts, kept in the per-user store under
// "<manufacturer>/<plugin name>/Autoload".
//
// Editor thread. Store failures throw std::runtime_error from the store
// (they end the user action that needed it); autoload() never throws.

#include <string>

namespace basic { class SettingMgrInterface; }

namespace mppi {

class SettingAutoload {
public:
  // Longer names, and names holding a zero character, are not stored.
  static constexpr std::size_t kMaxFileNameLength = 1023;

  explicit SettingAutoload(basic::SettingMgrInterface& mgr);

  void init(const std::string& manufacturer, const std::string& plugin_name);
  // "<manufacturer>/<plugin name>"
  const std::string& get_path() const { return path_; }

  // False when no name is stored.
  bool read_latest_file(std::string& file_name) const;
  // False when the name is refused or cannot be stored.
  bool write_latest_file(const std::string& file_name);

  bool read_autoload_switch() const;
  void write_autoload_switch(bool on);

  // Loads the latest file when the switch is on. 0 when there is nothing
  // to load, else the load's code; errors are for the caller to ignore.
  int autoload();

  // The label of the menu entry that toggles the switch.
  std::string make_menu_label() const;

private:
  std::string get_store_path() const { return path_ + "/Autoload"; }

  basic::SettingMgrInterface& mgr_;
  std::string path_;
};

}  // namespace mppi
