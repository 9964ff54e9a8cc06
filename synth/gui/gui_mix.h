#pragma once
// The audio path: the three-channel mixer with its noise and test-tone
// switches, the low-pass filter and its modulation, the high-pass filter
// and the amplifier.

#include "synth/gui/panel_section.h"

namespace synth {

class GuiMix : public PanelSection {
public:
  GuiMix() : PanelSection("GuiMix", nullptr) {}
};

}  // namespace synth
