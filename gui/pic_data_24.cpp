#include "gui/pic_data_24.h"

namespace pengui {
namespace {

template <int Stride>
DirectPixels<Stride> direct_pixels(const ApicView& view) {
  DirectPixels<Stride> p;
  p.bytes.assign(view.pixels, view.pixels + view.pixel_bytes);
  p.bytes.resize(static_cast<std::size_t>(view.width) * static_cast<std::size_t>(view.height) * Stride, 0);
  return p;
}

}  // namespace

PicData24::PicData24(const ApicView& view) : PicDataBase(view.width, view.height, direct_pixels<3>(view)) {}

AlphaPicData24::AlphaPicData24(const ApicView& view)
    : PicDataBase(view.width, view.height, direct_pixels<4>(view)) {}

}  // namespace pengui
