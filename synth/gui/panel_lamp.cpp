#include "synth/gui/panel_lamp.h"

namespace synth {

PanelLamp::PanelLamp(int x, int y, const pengui::Image* off, const pengui::Image* on) : off_(off), on_(on) {
  set_bounds({x, y, off ? off->width() : 0, off ? off->height() : 0});
}

void PanelLamp::set_lit(bool lit) {
  if (lit == lit_) return;
  lit_ = lit;
  invalidate();
}

void PanelLamp::draw(pengui::Canvas& canvas) {
  const pengui::Image* picture = lit_ ? on_ : off_;
  if (picture && picture->x1) canvas.draw_image(*picture, bounds().x, bounds().y);
}

}  // namespace synth
