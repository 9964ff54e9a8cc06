#pragma once
// Paints the panel background "bkg_28" from the layout: the base drawing,
// section frames with their titles, scales around knobs and faders, the
// legends and labels of every control, and the recessed wells of the text
// boxes and the keyboard.

#include <string>

#include "tools/artgen/panel_layout.h"
#include "tools/artgen/raster.h"

namespace artgen {

Raster paint_panel(const PanelLayout& layout, const PanelGeometry& geometry, const PinnedFonts& fonts,
                   const std::string& art_dir, int scale, const std::vector<PictureSource>& pictures);

}  // namespace artgen
