#include "framework/editor/graph_rsc_mixin.h"

#include <strings.h>

#include "gui/image_loader.h"

namespace mppi {

namespace {

bool same_name(const std::string& a, const char* b) { return b != nullptr && strcasecmp(a.c_str(), b) == 0; }

}  // namespace

bool GraphRscMixin::load_graph_resources(const char* const* picture_names, int picture_count, const char* font_name) {
  bool complete = picture_names != nullptr || picture_count == 0;
  for (int i = 0; complete && i < picture_count; ++i) {
    const char* name = picture_names[i];
    if (name == nullptr) return false;
    if (find_image(name) != nullptr) continue;
    pengui::Image image = pengui::load_image(name);
    if (!image.x1) {
      complete = false;
      break;
    }
    images_.push_back({name, std::move(image)});
  }
  if (font_name != nullptr && find_font(font_name) == nullptr) {
    pengui::FontSet font = pengui::load_font(font_name);
    if (!font.x1) return false;
    fonts_.push_back({font_name, std::move(font)});
  }
  return complete;
}

const pengui::Image* GraphRscMixin::find_image(const char* name) const {
  for (const NamedImage& n : images_)
    if (same_name(n.name, name)) return &n.image;
  return nullptr;
}

const pengui::FontSet* GraphRscMixin::find_font(const char* name) const {
  for (const NamedFont& n : fonts_)
    if (same_name(n.name, name)) return &n.font;
  return nullptr;
}

}  // namespace mppi
