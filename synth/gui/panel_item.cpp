#include "synth/gui/panel_item.h"

#include <cstring>

namespace synth {

const art::PanelItem* find_panel_item(const char* part, const char* name) {
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& item = art::kPanelItems[i];
    if (std::strcmp(item.part, part) == 0 && std::strcmp(item.name, name) == 0) return &item;
  }
  return nullptr;
}

}  // namespace synth
