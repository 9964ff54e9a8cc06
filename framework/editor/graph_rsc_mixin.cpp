#include "framework/editor/graph_rsc_mixin.h"

#include <strings.h>

#include "gui/font_factory.h"
#include "gui/pic_data_factory.h"

namespace mppi {

namespace {

bool same_name(const std::string& a, const char* b) { return b != nullptr && strcasecmp(a.c_str(), b) == 0; }

std::string double_size_name(const std::string& name) { return name + "@2x"; }

}  // namespace

bool GraphRscMixin::load_graph_resources(const char* const* picture_names, int picture_count, const char* font_name) {
  if (picture_count > 0 && picture_names == nullptr) return false;
  for (int i = 0; i < picture_count; ++i) {
    const char* name = picture_names[i];
    if (name == nullptr) return false;
    if (find_image(name) != nullptr) continue;
    pengui::Image image;
    image.x1 = pengui::PicDataFactory::create(name);
    if (!image.x1) return false;
    images_.push_back({name, std::move(image)});
  }
  if (font_name != nullptr && find_font(font_name) == nullptr) {
    pengui::FontSet font;
    font.x1 = pengui::FontFactory::create(font_name);
    if (!font.x1) return false;
    fonts_.push_back({font_name, std::move(font)});
  }
  double_size_loaded_ = false;
  return true;
}

void GraphRscMixin::load_double_size() {
  if (double_size_loaded_) return;
  double_size_loaded_ = true;
  for (NamedImage& n : images_) {
    pengui::Image& img = n.image;
    if (img.x2 || !img.x1) continue;
    img.x2 = pengui::PicDataFactory::create(double_size_name(n.name).c_str());
    if (img.x2 && (img.x2->width() != 2 * img.x1->width() || img.x2->height() != 2 * img.x1->height()))
      img.x2.reset();
  }
  for (NamedFont& n : fonts_) {
    if (!n.font.x2) n.font.x2 = pengui::FontFactory::create(double_size_name(n.name).c_str());
  }
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
