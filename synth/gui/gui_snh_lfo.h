#pragma once
// The modulation sources: the LFO (rate, tempo sync, key trigger) and the
// sample-and-hold with its lag, trigger and two inputs.

#include "synth/gui/panel_section.h"

namespace synth {

class GuiSnhLfo : public PanelSection {
public:
  GuiSnhLfo() : PanelSection("GuiSnhLfo", nullptr) {}
};

}  // namespace synth
