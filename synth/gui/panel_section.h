#pragma once
// A section of the panel that is made of parameter controls only: the
// layout items of its part name (and of one frame, for the sections that
// exist more than once).

#include "synth/gui/gui_part.h"
#include "synth/gui/panel_controls.h"

namespace synth {

class PanelSection : public GuiPart {
public:
  // `frame` null: every frame of the part.
  PanelSection(const char* part, const char* frame) : part_(part), frame_(frame) {}

  bool build(GuiContext& ctx) override { return controls_.build(ctx, part_, frame_); }
  void refresh() override { controls_.refresh(); }

  const PanelControls& controls() const { return controls_; }

protected:
  PanelControls controls_;

private:
  const char* part_;
  const char* frame_;
};

}  // namespace synth
