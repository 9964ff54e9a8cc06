#pragma once
// The ADSR and AR envelopes with their repeat modes.

#include "synth/gui/panel_section.h"

namespace synth {

class GuiEnv : public PanelSection {
public:
  GuiEnv() : PanelSection("GuiEnv", nullptr) {}
};

}  // namespace synth
