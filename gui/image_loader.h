#pragma once
// Loads a picture or a font at both scales: "name" and "name@2x".

#include "gui/image.h"

namespace pengui {

// x1 is null when "name" is missing or rejected (and x2 is then not
// loaded). x2 is null when "name@2x" is missing, rejected, or not exactly
// twice the size of x1: the canvas then draws x1 pixel-doubled.
Image load_image(const char* name);

// x1 is null when "name" is missing or rejected; x2 may be missing.
FontSet load_font(const char* name);

}  // namespace pengui
