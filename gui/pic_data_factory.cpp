#include "gui/pic_data_factory.h"

#include "gui/apic_reader.h"
#include "gui/pic_data_24.h"
#include "gui/pic_data_8.h"
#include "sys/resources.h"

namespace pengui {

std::unique_ptr<PicDataInterface> PicDataFactory::create(const char* resource_name) {
  sys::ResourceView res;
  if (!resource_name || !sys::get_resource(resource_name, "APIC", res)) return nullptr;
  return create(res.data, res.size);
}

std::unique_ptr<PicDataInterface> PicDataFactory::create(const unsigned char* data, std::size_t size) {
  ApicView view;
  if (!read_apic(data, size, view)) return nullptr;
  switch (view.format) {
    case ApicFormat::opaque8: return std::make_unique<PicData8>(view);
    case ApicFormat::alpha8: return std::make_unique<AlphaPicData8>(view);
    case ApicFormat::opaque24: return std::make_unique<PicData24>(view);
    case ApicFormat::alpha24: return std::make_unique<AlphaPicData24>(view);
    case ApicFormat::unicolor_font: return nullptr;
  }
  return nullptr;
}

}  // namespace pengui
