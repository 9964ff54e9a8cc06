#pragma once
// Panel section: program menu, store, rename, fade time, bank files.
// (Placeholder until the section is written: builds nothing yet.)

#include "synth/gui/gui_part.h"

namespace synth {

class GuiPresets : public GuiPart {
public:
  GuiPresets(int nbr_programs, const char* bank_name) : nbr_programs_(nbr_programs), bank_name_(bank_name) {}
  bool build(GuiContext& /*ctx*/) override { return true; }

private:
  int nbr_programs_;
  const char* bank_name_;
};

}  // namespace synth
