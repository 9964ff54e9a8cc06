#pragma once
// The small pictures of the editor (knobs, pointer strips, fader caps,
// buttons, lamps), one line each in resources/art/pictures.txt: an SVG
// drawing, its logical size, and optional frames, colours and caption.

#include <map>
#include <string>
#include <vector>

#include "tools/artgen/pinned_fonts.h"
#include "tools/artgen/raster.h"

namespace artgen {

struct PictureSource {
  std::string name;  // resource name in lower case, e.g. "kn_36_spn"
  std::string svg;   // file in resources/art
  int width = 0;     // logical pixels of one frame
  int height = 0;
  int frames = 1;    // >1: a vertical strip of pointer positions
  std::map<std::string, std::string> values;  // {key} substitutions in the drawing
  std::string caption;                        // text drawn over the drawing
  uint32_t caption_colour = 0;
  double caption_size = 0;
  double caption_dy = 0;
};

std::vector<PictureSource> read_picture_catalogue(const std::string& path);
const PictureSource* find_picture(const std::vector<PictureSource>& catalogue, const std::string& name);

// Pointer angle of frame i of n, screen-clockwise from straight up, in
// radians: the knob sweep starts at 0.625 of a turn and runs -0.75 of a turn.
double strip_frame_rotation(int frame, int frames);

Raster render_picture(const PictureSource& source, const std::string& art_dir, const PinnedFonts& fonts, int scale);

}  // namespace artgen
