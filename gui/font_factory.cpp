#include "gui/font_factory.h"

#include "gui/apic_reader.h"
#include "gui/multicolor_font.h"
#include "gui/unicolor_font.h"
#include "sys/resources.h"

namespace pengui {

std::unique_ptr<FontInterface> FontFactory::create(const char* resource_name) {
  sys::ResourceView res;
  if (!resource_name || !sys::get_resource(resource_name, "APIC", res)) return nullptr;
  return create(res.data, res.size);
}

std::unique_ptr<FontInterface> FontFactory::create(const unsigned char* data, std::size_t size) {
  ApicView view;
  if (!read_apic(data, size, view)) return nullptr;
  if (view.format == ApicFormat::unicolor_font) return UnicolorFont::create(view);
  if (view.format == ApicFormat::alpha8) return MulticolorFont::create(view);
  return nullptr;
}

}  // namespace pengui
