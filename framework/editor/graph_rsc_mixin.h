#pragma once
// The pictures and fonts an editor loads once at set-up, by resource name,
// and finds again by name while it builds its controls. The 2x versions
// are added when the editor first opens at scale 2, so an editor at 1x
// never holds them.

#include <string>
#include <vector>

#include "gui/image.h"

namespace mppi {

class GraphRscMixin {
public:
  // Loads every picture and the font at 1x; false when any is missing.
  // Names already loaded are skipped. Call before the editor's controls
  // take pointers to the pictures (they stay valid afterwards).
  bool load_graph_resources(const char* const* picture_names, int picture_count, const char* font_name);
  // Adds the 2x pictures and fonts (once). A picture without a 2x version
  // of exactly twice its size is drawn pixel-doubled.
  void load_double_size();
  // Null when the name was not loaded (letter case does not matter).
  const pengui::Image* find_image(const char* name) const;
  const pengui::FontSet* find_font(const char* name) const;

private:
  struct NamedImage {
    std::string name;
    pengui::Image image;
  };
  struct NamedFont {
    std::string name;
    pengui::FontSet font;
  };
  std::vector<NamedImage> images_;
  std::vector<NamedFont> fonts_;
  bool double_size_loaded_ = false;
};

}  // namespace mppi
