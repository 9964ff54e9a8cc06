#pragma once
// PNG previews for looking at the artwork (not part of the plug-in): the
// panel with every control drawn in place, and a sheet of the small pictures.

#include <map>
#include <string>

#include "tools/artgen/font_strip.h"
#include "tools/artgen/panel_layout.h"
#include "tools/artgen/raster.h"

namespace artgen {

void write_png(const Raster& picture, const std::string& path);

// The background with each control's pictures at a middle value, at `scale`.
Raster compose_panel(const Raster& background, const PanelLayout& layout, const std::vector<PictureSource>& catalogue,
                     const std::map<std::string, Raster>& pictures, int scale);

// All small pictures side by side on a neutral ground; strips show five frames.
Raster contact_sheet(const std::vector<PictureSource>& catalogue, const std::map<std::string, Raster>& pictures,
                     int scale);

// A few lines of text set with the font strip as the editor sets it (glyph
// boxes side by side), each pixel enlarged `zoom` times.
Raster font_sample(const FontStrip& strip, int scale, int zoom);

}  // namespace artgen
