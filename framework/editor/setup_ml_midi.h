#pragma once
// The MIDI learn entries of the setup menu: "Auto-bind" and "Un-bind" with
// their run-time labels naming the parameter last touched in the editor,
// and the NRPN numbering switch.

#include "framework/editor/setup_component.h"
#include "gui/menu_listener_interface.h"

namespace mppi {

class SetupMLMidiAutoBind : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
};

class SetupMLMidiUnBind : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
};

class SetupMLMidiNrpnComp : public pengui::MenuListenerInterface, public SetupComponent {
public:
  using SetupComponent::SetupComponent;
  void menu_refresh(pengui::MenuEntry& entry) override;
  void menu_chosen(pengui::MenuEntry& entry) override;
};

}  // namespace mppi
