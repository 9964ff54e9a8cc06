#pragma once
// Panel section: the setup button and the setup menu it pops up.

#include <memory>

#include "framework/editor/setup_ctrl_listener.h"
#include "framework/editor/setup_mgr.h"
#include "gui/push_button.h"
#include "synth/gui/gui_part.h"

namespace synth {

class GuiInfo : public GuiPart {
public:
  static constexpr const char* kPartName = "GuiInfo";
  static constexpr const char* kButtonName = "setup";

  GuiInfo() = default;
  ~GuiInfo() override;

  bool build(GuiContext& ctx) override;
  void detach() override;
  void idle() override;
  // A menu left open when the window closed does not come back with it.
  void refresh() override;

private:
  mppi::SetupMgr setup_;
  std::unique_ptr<mppi::SetupCtrlListener> listener_;
  pengui::PushButton button_;
};

}  // namespace synth
