#pragma once
// cairo surfaces in and out: SVG documents rendered by librsvg, and the
// conversion of cairo's premultiplied pixels to a straight-alpha Raster.

#include <string>

#include <cairo.h>

#include "tools/artgen/raster.h"

namespace artgen {

// A transparent ARGB32 surface of w x h pixels; throws when cairo fails.
cairo_surface_t* new_surface(int width, int height);
Raster surface_to_raster(cairo_surface_t* surface);

// Renders an SVG document into the rectangle (0, 0, w, h) of the current
// user space of `cr` (which may be scaled or rotated).
void render_svg(cairo_t* cr, const std::string& svg_text, double width, double height, const std::string& name);

}  // namespace artgen
