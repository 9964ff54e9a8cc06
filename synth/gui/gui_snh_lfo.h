#pragma once
// The modulation sources: the LFO (rate, tempo sync, key trigger) and the
// sample-and-hold with its lag, trigger and two inputs. The beat lamp
// blinks at the rate set, on the editor's clock: it shows the speed, not
// the phase the LFO is at (that lives on the audio thread).

#include <memory>

#include "synth/gui/panel_section.h"

namespace synth {

class GuiSnhLfo : public PanelSection {
public:
  // Faster than this the lamp stays lit: the editor idles too slowly to show it.
  static constexpr double kMaxBlinkHertz = 8.0;

  GuiSnhLfo() : PanelSection("GuiSnhLfo", nullptr) {}

  bool build(GuiContext& ctx) override;
  void idle() override;

  const PanelLamp* beat_lamp() const { return beat_lamp_.get(); }

private:
  GuiContext ctx_;
  std::unique_ptr<PanelLamp> beat_lamp_;
};

}  // namespace synth
