#include "synth/gui/gui_presets.h"

#include <initializer_list>

#include "gui/file_dialog.h"
#include "gui/window.h"
#include "synth/gui/panel_item.h"
#include "tools/artgen/art_resources.h"

namespace synth {

namespace {
constexpr const char* kPart = "GuiPresets";
constexpr const char* kMenuOpenPicture = "pb_89_p";
constexpr uint32_t kNameColour = 0xECE7DB;
constexpr uint32_t kValueColour = 0xFF9A3C;
constexpr uint32_t kEditBackground = 0x26292D;

const art::PanelItem* find_item(const char* id) { return find_panel_item(kPart, id); }

bool set_button(pengui::PushButton& button, const art::PanelItem* item, const GuiResources& resources) {
  if (!item) return false;
  const pengui::Image* up = resources.image(item->picture);
  const pengui::Image* down = resources.image(item->picture_on);
  if (!up || !down) return false;
  button.set_bounds(rect_of(*item));
  button.set_images(up, down);
  return true;
}
}  // namespace

GuiPresets::GuiPresets(int nbr_programs, const char* bank_name) : manager_(bank_name, nbr_programs) {}

GuiPresets::~GuiPresets() = default;

bool GuiPresets::place_controls(GuiContext& ctx) {
  const GuiResources& res = *ctx.resources;
  const pengui::FontSet* font = res.font(art::kFontName);
  const art::PanelItem* name = find_item("preset_name");
  const art::PanelItem* store = find_item("preset_store");
  const art::PanelItem* knob = find_item("preset_fade_time");
  const art::PanelItem* value = find_item("preset_fade_value");
  const art::PanelItem* menu = find_item("preset_menu");
  if (!font || !name || !store || !knob || !value || !menu) return false;
  if (!set_button(menu_button_, menu, res) || !set_button(load_button_, find_item("bank_load"), res) ||
      !set_button(save_button_, find_item("bank_save"), res))
    return false;
  menu_up_ = res.image(menu->picture);
  menu_down_ = res.image(menu->picture_on);
  menu_open_ = res.image(kMenuOpenPicture);

  name_box_.set_bounds(rect_of(*name));
  name_box_.set_font(font);
  name_box_.set_text_colour(kNameColour);
  name_box_.set_edit_background(kEditBackground);

  const pengui::Image* off = res.image(store->picture);
  const pengui::Image* on = res.image(store->picture_on);
  if (!off || !on) return false;
  store_switch_.set_bounds(rect_of(*store));
  store_switch_.set_images(off, on);

  const pengui::Image* cap = res.image(knob->picture);
  const pengui::Image* strip = res.image(knob->picture_on);
  if (!cap || !strip || strip->width() <= 0) return false;
  fade_knob_ = std::make_unique<pengui::Knob>(rect_of(*knob));
  fade_knob_->set_cap(cap);
  fade_knob_->set_pointer_strip(strip, strip->height() / strip->width());

  fade_display_.set_bounds(rect_of(*value));
  fade_display_.set_font(font);
  fade_display_.set_text_colour(kValueColour);
  fade_display_.set_align(pengui::Align::center);
  return true;
}

bool GuiPresets::build(GuiContext& ctx) {
  if (!ctx.window || !ctx.resources || !ctx.host || !ctx.dsp || window_) return false;
  if (!place_controls(ctx)) return false;
  window_ = ctx.window;
  for (pengui::Widget* w : std::initializer_list<pengui::Widget*>{&menu_button_, &name_box_, &store_switch_,
                                                                  &load_button_, &save_button_, fade_knob_.get(),
                                                                  &fade_display_})
    window_->add(w);

  blend_ = std::make_unique<mppi::ProgStLdDefault>(*ctx.dsp);
  mppi::PresetControls controls;
  controls.name = &name_box_;
  controls.menu_button = &menu_button_;
  controls.store_switch = &store_switch_;
  controls.load_bank = &load_button_;
  controls.save_bank = &save_button_;
  controls.fade_knob = fade_knob_.get();
  controls.fade_display = &fade_display_;
  std::unique_ptr<pengui::FileDialog> dialog =
      dialog_factory_ ? dialog_factory_(*window_) : pengui::make_file_dialog(*window_);
  return manager_.attach(*window_, *ctx.host, *blend_, controls, ctx.resources->font(art::kFontName), std::move(dialog));
}

void GuiPresets::detach() { manager_.detach(); }

void GuiPresets::idle() {
  manager_.idle();
  show_menu_look(manager_.program_menu().is_shown());
}

void GuiPresets::refresh() { manager_.refresh(); }

void GuiPresets::show_menu_look(bool open) {
  if (open == menu_look_open_ || !menu_open_) return;
  menu_look_open_ = open;
  menu_button_.set_images(open ? menu_open_ : menu_up_, menu_down_);
}

}  // namespace synth
