#include "synth/gui/gui_edit.h"

#include <array>
#include <cmath>

#include "framework/core/dsp_interface.h"
#include "framework/core/host_gui_interface.h"
#include "framework/gui_binding/param_listener.h"
#include "framework/params/normalized_param_interface.h"
#include "gui/window.h"
#include "synth/gui/panel_item.h"
#include "tools/artgen/art_resources.h"

namespace synth {

namespace {
constexpr const char* kPart = "GuiEdit";
constexpr const char* kReadoutId = "readout";
constexpr uint32_t kNameColour = 0xBDB8AC;
constexpr uint32_t kValueColour = 0xFF9A3C;
constexpr uint32_t kEditBackground = 0x26292D;
constexpr int kTextBufferSize = 128;
}  // namespace

class GuiEdit::EntryListener : public pengui::DefaultEventListener {
public:
  explicit EntryListener(GuiEdit& owner) : owner_(owner) {}
  void text_entered(const char* text) override { owner_.enter_text(text); }

private:
  GuiEdit& owner_;
};

GuiEdit::GuiEdit() : entry_listener_(std::make_unique<EntryListener>(*this)) {}

GuiEdit::~GuiEdit() { value_edit_.detach(entry_listener_.get()); }

bool GuiEdit::build(GuiContext& ctx) {
  const art::PanelItem* item = find_panel_item(kPart, kReadoutId);
  if (!item || !ctx.window || !ctx.resources || !ctx.dsp) return false;
  const pengui::FontSet* font = ctx.resources->font(art::kFontName);
  if (!font) return false;
  ctx_ = ctx;
  const int half = item->h / 2;
  name_box_.set_bounds({item->x, item->y, item->w, half});
  name_box_.set_font(font);
  name_box_.set_align(pengui::Align::center);
  name_box_.set_text_colour(kNameColour);
  value_edit_.set_bounds({item->x, item->y + half, item->w, item->h - half});
  value_edit_.set_font(font);
  value_edit_.set_align(pengui::Align::center);
  value_edit_.set_text_colour(kValueColour);
  value_edit_.set_edit_background(kEditBackground);
  value_edit_.set_max_length(kTextBufferSize - 1);
  value_edit_.attach(entry_listener_.get());
  ctx.window->add(&name_box_);
  ctx.window->add(&value_edit_);
  return true;
}

std::string GuiEdit::value_string(const mppi::NormalizedParamInterface& param) {
  std::array<char, kTextBufferSize> value{};
  std::array<char, kTextBufferSize> unit{};
  param.conv_val_to_str(value.data(), kTextBufferSize, param.get_val());
  param.get_unit(unit.data(), kTextBufferSize);
  std::string text = value.data();
  if (unit[0] != 0) text.append(" ").append(unit.data());
  return text;
}

void GuiEdit::show_param(int param_index) {
  if (value_edit_.is_editing() || !ctx_.dsp) return;
  if (param_index < 0 || param_index >= kNbrParams || param_index >= ctx_.dsp->get_nbr_param()) return;
  mppi::NormalizedParamInterface* param = ctx_.dsp->get_param(param_index);
  if (!param) return;
  std::array<char, kTextBufferSize> name{};
  param->get_name(name.data(), kTextBufferSize);
  shown_param_ = param_index;
  name_box_.set_text(name.data());
  show_value();
}

void GuiEdit::show_value() {
  mppi::NormalizedParamInterface* param = ctx_.dsp->get_param(shown_param_);
  shown_nrm_ = param->nrm();
  value_edit_.set_text(value_string(*param));
}

void GuiEdit::show_text(const char* line1, const char* line2) {
  if (value_edit_.is_editing()) return;
  shown_param_ = -1;
  name_box_.set_text(line1 ? line1 : "");
  value_edit_.set_text(line2 ? line2 : "");
}

void GuiEdit::clear() { show_text("", ""); }

void GuiEdit::idle() {
  // A value that changed elsewhere (automation, MIDI, a drag) shows at once.
  if (shown_param_ < 0 || value_edit_.is_editing()) return;
  if (ctx_.dsp->get_param(shown_param_)->nrm() != shown_nrm_) show_value();
}

void GuiEdit::refresh() {
  if (shown_param_ >= 0 && !value_edit_.is_editing()) show_value();
}

void GuiEdit::enter_text(const char* text) {
  if (shown_param_ < 0) {
    value_edit_.set_text("");
    return;
  }
  mppi::NormalizedParamInterface* param = ctx_.dsp->get_param(shown_param_);
  bool ok = false;
  const double value = param->conv_str_to_val(text, &ok);
  if (ok && std::isfinite(value)) {
    const double nrm = param->conv_val_to_nrm(value);
    if (ctx_.last_touched_param) *ctx_.last_touched_param = shown_param_;
    pengui::ControlInterface* control =
        ctx_.meta ? (*ctx_.meta)[static_cast<std::size_t>(shown_param_)].control() : nullptr;
    if (control) {
      control->set_and_send(nrm, kTypedPrio);
    } else if (ctx_.host) {
      ctx_.host->set_param_and_notify(shown_param_, static_cast<float>(nrm), kTypedPrio);
    }
  }
  // The value as it now stands, whether the text was taken or not.
  show_value();
}

}  // namespace synth
