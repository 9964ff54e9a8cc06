#include "synth/gui/panel_controls.h"

#include <cstring>

#include "framework/core/dsp_interface.h"
#include "framework/params/normalized_param_interface.h"
#include "gui/window.h"
#include "synth/gui/panel_item.h"
#include "synth/params/param_table.h"

namespace synth {

namespace {

// Written once when the panel is built; stronger than anything else.
constexpr int kSetUpPrio = 255;
constexpr int kResetPrio = 200;
constexpr int kCoarseTuneSemitones = 72;
// Every fader shows this cap while it is held.
constexpr const char* kHeldCapPicture = "fd_27_p";

bool is_param_item(art::PanelItemKind kind) {
  return kind == art::PanelItemKind::knob || kind == art::PanelItemKind::fader ||
         kind == art::PanelItemKind::selector || kind == art::PanelItemKind::switch_;
}

}  // namespace

// ---- PanelParamListener

void PanelParamListener::touch() {
  if (last_touched_) *last_touched_ = get_index();
}

void PanelParamListener::set_showing(bool showing) {
  showing_ = showing;
  if (showing && readout_) readout_->show_param(get_index());
}

bool PanelParamListener::take_control(int prio) {
  touch();
  return NumParamListener::take_control(prio);
}

double PanelParamListener::set_value(double nrm, int prio) {
  touch();
  return NumParamListener::set_value(nrm, prio);
}

void PanelParamListener::value_changed(double nrm, int prio) {
  NumParamListener::value_changed(nrm, prio);
  if (lamp_) lamp_->set_lit((nrm >= 0.5 ? 1 : 0) == lit_value_);
  if (showing_ && readout_) readout_->show_param(get_index());
}

// ---- PanelControls

double PanelControls::default_nrm(int param_index, const mppi::NormalizedParamInterface& param) {
  if (param_index < 0 || param_index >= kNbrParams) return 0.0;
  return param.conv_val_to_nrm(param_row(param_id(param_index)).initial);
}

bool PanelControls::build(GuiContext& ctx, const char* part, const char* frame) {
  if (!ctx.window || !ctx.resources || !ctx.dsp || !ctx.meta || !part) return false;
  bool complete = true;
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& item = art::kPanelItems[i];
    if (!is_param_item(item.kind) || std::strcmp(item.part, part) != 0) continue;
    if (frame && std::strcmp(item.frame, frame) != 0) continue;
    complete = add_item(ctx, item) && complete;
  }
  return complete;
}

bool PanelControls::add_item(GuiContext& ctx, const art::PanelItem& item) {
  const int index = find_param_index(item.name);
  if (index < 0 || index >= ctx.dsp->get_nbr_param()) return false;
  mppi::MetaControl& meta = (*ctx.meta)[static_cast<std::size_t>(index)];
  mppi::NormalizedParamInterface* param = ctx.dsp->get_param(index);
  if (!param || meta.is_bound()) return false;

  auto entry = std::make_unique<Entry>();
  entry->index = index;
  entry->listener = std::make_unique<PanelParamListener>(ctx.readout, ctx.last_touched_param);
  entry->listener->set_owner(this);
  entry->listener->set_host_gui(ctx.host);
  entry->listener->attach_param(index, param);

  pengui::Widget* widget = (item.kind == art::PanelItemKind::knob || item.kind == art::PanelItemKind::fader)
                               ? make_pot(ctx, item, *entry, *param)
                               : make_switch(ctx, item, *entry);
  if (!widget) return false;

  meta.bind(entry->control, entry->listener.get());
  entry->control->set_no_send(param->nrm(), kSetUpPrio);
  ctx.window->add(widget);
  if (entry->lamp) ctx.window->add(entry->lamp.get());
  entries_.push_back(std::move(entry));
  return true;
}

pengui::Widget* PanelControls::make_pot(GuiContext& ctx, const art::PanelItem& item, Entry& entry,
                                        mppi::NormalizedParamInterface& param) {
  const pengui::Image* cap = ctx.resources->image(item.picture);
  if (!cap || !cap->x1) return nullptr;
  pengui::PotInterface* pot = nullptr;
  if (item.kind == art::PanelItemKind::knob) {
    const pengui::Image* strip = ctx.resources->image(item.picture_on);
    if (!strip || !strip->x1 || strip->width() <= 0) return nullptr;
    auto knob = std::make_unique<PanelKnob>(rect_of(item));
    knob->set_cap(cap);
    knob->set_pointer_strip(strip, strip->height() / strip->width());
    if (param_row(param_id(entry.index)).kind == ParamKind::kCoarseTune) {
      // Whole semitones are magnetic.
      std::vector<double> steps;
      for (int k = 0; k <= kCoarseTuneSemitones; ++k) steps.push_back(static_cast<double>(k) / kCoarseTuneSemitones);
      knob->behaviour().set_steps(std::move(steps));
    }
    knob->on_press = [l = entry.listener.get()] { l->touch(); };
    pot = knob.get();
    entry.widget = std::move(knob);
  } else {
    auto fader = std::make_unique<PanelFader>(rect_of(item));
    fader->set_cap(cap, ctx.resources->image(kHeldCapPicture));
    fader->on_press = [l = entry.listener.get()] { l->touch(); };
    pot = fader.get();
    entry.widget = std::move(fader);
  }
  const int index = entry.index;
  const double initial = default_nrm(index, param);
  PanelParamListener* listener = entry.listener.get();
  pot->set_reset_hook([pot, listener, initial] {
    listener->touch();
    pot->set_and_send(initial, kResetPrio);
  });
  pot->set_hover_listener([listener](bool show) { listener->set_showing(show); });
  entry.control = pot;
  return entry.widget.get();
}

pengui::Widget* PanelControls::make_switch(GuiContext& ctx, const art::PanelItem& item, Entry& entry) {
  const pengui::Image* off = ctx.resources->image(item.picture);
  const pengui::Image* on = ctx.resources->image(item.picture_on);
  if (!off || !off->x1 || !on || !on->x1) return nullptr;
  auto flip = std::make_unique<PanelSwitch>();
  flip->set_bounds(rect_of(item));
  flip->set_images(off, on);
  PanelParamListener* listener = entry.listener.get();
  flip->on_press = [listener] { listener->touch(); };
  flip->on_hover = [listener](bool over) { listener->set_showing(over); };
  if (item.kind == art::PanelItemKind::switch_ && item.lamp && *item.lamp) {
    const pengui::Image* lamp_off = ctx.resources->image(item.lamp);
    const pengui::Image* lamp_on = ctx.resources->image(item.lamp_on);
    if (!lamp_off || !lamp_off->x1 || !lamp_on || !lamp_on->x1) return nullptr;
    entry.lamp = std::make_unique<PanelLamp>(item.lamp_x, item.lamp_y, lamp_off, lamp_on);
    listener->set_lamp(entry.lamp.get(), item.lit);
  }
  entry.control = flip.get();
  entry.widget = std::move(flip);
  return entry.widget.get();
}

void PanelControls::refresh() {
  for (const auto& entry : entries_) entry->listener->refresh();
}

pengui::Widget* PanelControls::widget_of(int param_index) const {
  for (const auto& entry : entries_) {
    if (entry->index == param_index) return entry->widget.get();
  }
  return nullptr;
}

}  // namespace synth
