#pragma once
// The panel picture under every control; takes no input.

#include "gui/widget.h"

namespace synth {

class PanelBackground : public pengui::Widget {
public:
  explicit PanelBackground(const pengui::Image& picture) : picture_(picture) {}
  void draw(pengui::Canvas& canvas) override { canvas.draw_image(picture_, bounds().x, bounds().y); }

private:
  const pengui::Image& picture_;
};

}  // namespace synth
