#include "synth/gui/gui_snh_lfo.h"

#include <cmath>
#include <cstring>

#include "framework/core/dsp_interface.h"
#include "framework/params/normalized_param_interface.h"
#include "gui/window.h"
#include "tools/artgen/panel_layout_table.h"

namespace synth {

namespace {
constexpr const char* kBeatLampId = "lfo_beat";
}

bool GuiSnhLfo::build(GuiContext& ctx) {
  if (!PanelSection::build(ctx)) return false;
  ctx_ = ctx;
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& item = art::kPanelItems[i];
    if (item.kind != art::PanelItemKind::lamp || std::strcmp(item.name, kBeatLampId) != 0) continue;
    const pengui::Image* off = ctx.resources->image(item.picture);
    const pengui::Image* on = ctx.resources->image(item.picture_on);
    if (!off || !off->x1 || !on || !on->x1) return false;
    beat_lamp_ = std::make_unique<PanelLamp>(item.x, item.y, off, on);
    ctx.window->add(beat_lamp_.get());
  }
  return true;
}

void GuiSnhLfo::idle() {
  if (!beat_lamp_ || !ctx_.window || !ctx_.dsp) return;
  const double hertz = ctx_.dsp->get_param(index(ParamId::kLfoFreq))->get_val();
  if (!(hertz > 0.0) || hertz > kMaxBlinkHertz) {
    beat_lamp_->set_lit(hertz > 0.0);
    return;
  }
  // Lit for the first half of each period.
  const double cycles = ctx_.window->now() * hertz;
  beat_lamp_->set_lit(cycles - std::floor(cycles) < 0.5);
}

}  // namespace synth
