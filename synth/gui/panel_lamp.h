#pragma once
// A lamp of the panel: one of two pictures, lit or not. It takes no mouse
// input; the control it belongs to (a switch, the LFO beat) switches it.

#include "gui/image.h"
#include "gui/widget.h"

namespace synth {

class PanelLamp : public pengui::Widget {
public:
  // Pictures are not owned; the lamp takes the size of `off`.
  PanelLamp(int x, int y, const pengui::Image* off, const pengui::Image* on);

  // Repaints only when the state changes.
  void set_lit(bool lit);

  void draw(pengui::Canvas& canvas) override;

private:
  const pengui::Image* off_;
  const pengui::Image* on_;
  bool lit_ = false;
};

}  // namespace synth
