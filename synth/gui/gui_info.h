#pragma once
// Panel section: the setup button and its menu.
// (Placeholder until the section is written: builds nothing yet.)

#include "synth/gui/gui_part.h"

namespace synth {

class GuiInfo : public GuiPart {
public:
  bool build(GuiContext& /*ctx*/) override { return true; }
};

}  // namespace synth
