#include "gui/pic_data_8.h"

namespace pengui {
namespace {

template <int Stride>
IndexedPixels<Stride> indexed_pixels(const ApicView& view) {
  IndexedPixels<Stride> p;
  p.palette = view.palette_words();
  p.bytes.assign(view.pixels, view.pixels + view.pixel_bytes);
  p.bytes.resize(static_cast<std::size_t>(view.width) * static_cast<std::size_t>(view.height) * Stride, 0);
  return p;
}

}  // namespace

PicData8::PicData8(const ApicView& view) : PicDataBase(view.width, view.height, indexed_pixels<1>(view)) {}

AlphaPicData8::AlphaPicData8(const ApicView& view)
    : PicDataBase(view.width, view.height, indexed_pixels<2>(view)) {}

}  // namespace pengui
