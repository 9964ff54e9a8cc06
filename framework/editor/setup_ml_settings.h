#pragma once
// The "Settings" submenu: loading and saving settings files, the autoload
// switch with the latest file in its label, and the toolkit's mouse mode.

#include <string>

#include "framework/editor/setup_component.h"
#include "gui/menu_listener_interface.h"

namespace mppi {

// "Ferrowave plug-in setting file (*.cfg.txt)", "*.cfg.txt"
std::string settings_filter_name();
std::string settings_pattern();

class SetupMLLoadSettings : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
  // The load itself, once a file was chosen; 0 or the error code shown.
  int load(const std::string& path);
};

class SetupMLSaveSettings : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
  // Asks before replacing an existing file, then saves.
  void save_checked(const std::string& path);
  int save(const std::string& path);
};

class SetupMLAutoloadSettings : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
};

class SetupMLCompatibleMouse : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
};

}  // namespace mppi
