#include "synth/gui/gui_info.h"

#include "gui/window.h"
#include "synth/gui/panel_item.h"
#include "tools/artgen/art_resources.h"

namespace synth {

GuiInfo::~GuiInfo() {
  setup_.close();
  if (listener_) button_.detach(listener_.get());
}

bool GuiInfo::build(GuiContext& ctx) {
  const art::PanelItem* item = find_panel_item(kPartName, kButtonName);
  if (item == nullptr || ctx.window == nullptr || ctx.resources == nullptr) return false;
  const pengui::Image* up = ctx.resources->image(item->picture);
  const pengui::Image* down = ctx.resources->image(item->picture_on);
  if (up == nullptr || down == nullptr) return false;

  button_.set_images(up, down);
  button_.set_bounds(rect_of(*item));
  setup_.init(*ctx.window, ctx.setup, ctx.host, ctx.dsp, ctx.resources->font(art::kFontName));
  listener_ = std::make_unique<mppi::SetupCtrlListener>(setup_, pengui::Point{item->x, item->y + item->h});
  button_.attach(listener_.get());
  ctx.window->add(&button_);
  return true;
}

void GuiInfo::detach() { setup_.detach(); }

void GuiInfo::idle() { setup_.idle(); }

void GuiInfo::refresh() { setup_.use_menu().close(); }

}  // namespace synth
