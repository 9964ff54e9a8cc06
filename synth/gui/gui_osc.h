#pragma once
// One oscillator's section: tuning, pulse width and its modulation. The
// editor builds it twice, once per oscillator frame of the layout.

#include "synth/gui/panel_section.h"

namespace synth {

class GuiOsc : public PanelSection {
public:
  // The layout's frame ids of the two oscillators.
  static constexpr const char* kVco1Frame = "vco1";
  static constexpr const char* kVco2Frame = "vco2";

  explicit GuiOsc(const char* frame) : PanelSection("GuiOsc", frame) {}
};

}  // namespace synth
