#pragma once
// Listens to the editor's setup button: the press (value 0) pops the
// setup menu up at the mouse.

#include "framework/editor/setup_component.h"
#include "gui/default_event_listener.h"
#include "gui/geometry.h"

namespace mppi {

class SetupCtrlListener : public pengui::DefaultEventListener, public SetupComponent {
public:
  // `fallback`: where the menu goes when the pointer cannot be asked
  // (no native window), normally just below the button.
  SetupCtrlListener(SetupMgr& mgr, pengui::Point fallback) : SetupComponent(mgr), fallback_(fallback) {}
  double set_value(double nrm, int prio) override;

private:
  pengui::Point fallback_;
};

}  // namespace mppi
