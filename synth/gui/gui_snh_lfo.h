#pragma once
// The modulation sources: the LFO (rate, tempo sync, key trigger) and the
// sample-and-hold with its lag, trigger and two inputs. The layout's LFO
// beat lamp is left dark: the LFO's phase lives on the audio thread, and
// a lamp blinking on the editor's own clock would show a beat that is not
// the LFO's.

#include "synth/gui/panel_section.h"

namespace synth {

class GuiSnhLfo : public PanelSection {
public:
  GuiSnhLfo() : PanelSection("GuiSnhLfo", nullptr) {}
};

}  // namespace synth
