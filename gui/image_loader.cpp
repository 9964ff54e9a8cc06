#include "gui/image_loader.h"

#include <string>

#include "gui/font_factory.h"
#include "gui/pic_data_factory.h"

namespace pengui {
namespace {

std::string double_size_name(const char* name) { return std::string(name) + "@2x"; }

}  // namespace

Image load_image(const char* name) {
  Image img;
  if (!name) return img;
  img.x1 = PicDataFactory::create(name);
  if (!img.x1) return img;
  img.x2 = PicDataFactory::create(double_size_name(name).c_str());
  if (img.x2 && (img.x2->width() != 2 * img.x1->width() || img.x2->height() != 2 * img.x1->height())) {
    img.x2.reset();
  }
  return img;
}

FontSet load_font(const char* name) {
  FontSet font;
  if (!name) return font;
  font.x1 = FontFactory::create(name);
  if (font.x1) font.x2 = FontFactory::create(double_size_name(name).c_str());
  return font;
}

}  // namespace pengui
