#pragma once
// The panel's name plate and the performance controls: glide, velocity
// sensitivities and the voice mode.

#include "synth/gui/panel_section.h"

namespace synth {

class GuiMisc : public PanelSection {
public:
  GuiMisc() : PanelSection("GuiMisc", nullptr) {}
};

}  // namespace synth
