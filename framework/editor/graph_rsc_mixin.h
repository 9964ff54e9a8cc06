#pragma once
// The pictures and fonts an editor loads once at set-up, by resource name,
// and finds again by name while it builds its controls.

#include <string>
#include <vector>

#include "gui/image.h"

namespace mppi {

class GraphRscMixin {
public:
  // Loads every picture (both scales) and the font; false when any is
  // missing. What was loaded before stays loaded; names load once.
  bool load_graph_resources(const char* const* picture_names, int picture_count, const char* font_name);
  // Null when the name was not loaded (letter case does not matter).
  const pengui::Image* find_image(const char* name) const;
  const pengui::FontSet* find_font(const char* name) const;
  int get_nbr_images() const { return static_cast<int>(images_.size()); }

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
};

}  // namespace mppi
