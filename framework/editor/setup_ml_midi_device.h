#pragma once
// "Input device" and "Output device" of the setup menu: a submenu filled
// when the MIDI level opens with the selector's devices and "None", the
// current one ticked; choosing one changes the device.

#include "framework/editor/setup_component.h"
#include "gui/menu_listener_interface.h"

namespace mppi {

class SetupMLMidiDevice : public pengui::MenuListenerInterface, public SetupComponent {
public:
  enum Side { kInput, kOutput };

  SetupMLMidiDevice(SetupMgr& mgr, Side side) : SetupComponent(mgr), side_(side) {}
  // The submenu's own entry: refills the submenu. Device entries: nothing.
  void menu_refresh(pengui::MenuEntry& entry) override;
  // A device entry (the submenu's entries have this listener too).
  void menu_chosen(pengui::MenuEntry& entry) override;

private:
  Side side_;
  int none_tag_ = 0;  // the tag of "None" in the current list
};

}  // namespace mppi
