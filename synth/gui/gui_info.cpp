#include "synth/gui/gui_info.h"

#include <cstring>

#include "gui/window.h"
#include "tools/artgen/art_resources.h"
#include "tools/artgen/panel_layout_table.h"

namespace synth {

namespace {

const art::PanelItem* find_button() {
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& item = art::kPanelItems[i];
    if (item.kind == art::PanelItemKind::button && std::strcmp(item.part, GuiInfo::kPartName) == 0 &&
        std::strcmp(item.name, GuiInfo::kButtonName) == 0)
      return &item;
  }
  return nullptr;
}

}  // namespace

GuiInfo::~GuiInfo() {
  setup_.close();
  if (listener_) button_.detach(listener_.get());
}

bool GuiInfo::build(GuiContext& ctx) {
  const art::PanelItem* item = find_button();
  if (item == nullptr || ctx.window == nullptr || ctx.resources == nullptr) return false;
  const pengui::Image* up = ctx.resources->image(item->picture);
  const pengui::Image* down = ctx.resources->image(item->picture_on);
  if (up == nullptr || down == nullptr) return false;

  button_.set_images(up, down);
  button_.set_bounds({item->x, item->y, item->w, item->h});
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
