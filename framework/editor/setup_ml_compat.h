#pragma once
// Compatibility switches for other plug-in formats' hosts, kept per user
// under "Ferrowave/<plugin name>": "AU Auto Compatibility" ("Old"/"New")
// and "RTAS show automation" ("Yes"/"No"). A VST 2 host never sees them;
// the setup manager attaches them only for the hosts they concern.

#include <string>

#include "framework/editor/setup_component.h"
#include "gui/menu_listener_interface.h"

namespace mppi {

// A two-valued text switch in the per-user store.
class SetupStoredSwitch : public pengui::MenuListenerInterface, public SetupComponent {
public:
  SetupStoredSwitch(SetupMgr& mgr, const char* name, const char* on_text, const char* off_text)
      : SetupComponent(mgr), name_(name), on_text_(on_text), off_text_(off_text) {}
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
  // False when the value is missing, off or the store cannot be opened.
  bool read() const;
  // False when it could not be stored.
  bool write(bool on);

protected:
  virtual void on_changed() {}

private:
  std::string store_path() const;
  const char* name_;
  const char* on_text_;
  const char* off_text_;
};

class SetupMLAuAutoComp : public SetupStoredSwitch {
public:
  explicit SetupMLAuAutoComp(SetupMgr& mgr) : SetupStoredSwitch(mgr, "AU Auto Compatibility", "Old", "New") {}
};

class SetupMLRtasShowAuto : public SetupStoredSwitch {
public:
  explicit SetupMLRtasShowAuto(SetupMgr& mgr) : SetupStoredSwitch(mgr, "RTAS show automation", "Yes", "No") {}

protected:
  // The host re-reads every parameter.
  void on_changed() override;
};

}  // namespace mppi
