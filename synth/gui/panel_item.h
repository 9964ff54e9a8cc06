#pragma once
// Finding a section's own items in the generated panel layout.

#include "gui/geometry.h"
#include "tools/artgen/panel_layout_table.h"

namespace synth {

// The item `name` of section `part`; null when the layout has none.
const art::PanelItem* find_panel_item(const char* part, const char* name);

inline pengui::Rect rect_of(const art::PanelItem& item) { return {item.x, item.y, item.w, item.h}; }

}  // namespace synth
