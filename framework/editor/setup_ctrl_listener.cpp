#include "framework/editor/setup_ctrl_listener.h"

#include "framework/editor/setup_mgr.h"
#include "gui/window.h"

namespace mppi {

double SetupCtrlListener::set_value(double nrm, int /*prio*/) {
  // The press, not the click that completes it.
  if (nrm >= 0.5) return nrm;
  SetupMgr& mgr = use_setup_mgr();
  pengui::Point at = fallback_;
  if (pengui::Window* window = mgr.window()) window->get_cursor_pos(at);
  mgr.popup(at);
  return nrm;
}

}  // namespace mppi
