#pragma once
// Setup menu entries about the plug-in: the about box and the jumps to the
// maker's web pages.

#include <string>

#include "framework/editor/setup_component.h"
#include "gui/menu_listener_interface.h"

namespace mppi {

class SetupMLAbout : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_chosen(pengui::MenuEntry& entry) override;
  // Product, version, maker, our address and the plug-in interface.
  std::string make_text() const;
};

class SetupMLWebSite : public pengui::MenuListenerInterface, public SetupComponent {
public:
  SetupMLWebSite(SetupMgr& mgr, int action) : SetupComponent(mgr), action_(action) {}
  void menu_chosen(pengui::MenuEntry& entry) override;

private:
  int action_;
};

}  // namespace mppi
