#pragma once
// A picture of the editor at both scales: "name" for 1x and "name@2x" for
// 2x. Controls hold Images and never choose the scale themselves.

#include <memory>

#include "gui/font.h"
#include "gui/pic_data.h"

namespace pengui {

struct Image {
  std::unique_ptr<PicDataInterface> x1;
  std::unique_ptr<PicDataInterface> x2;  // may be missing: x1 is then drawn pixel-doubled

  int width() const { return x1 ? x1->width() : 0; }    // logical pixels
  int height() const { return x1 ? x1->height() : 0; }
};

struct FontSet {
  std::unique_ptr<FontInterface> x1;
  std::unique_ptr<FontInterface> x2;

  const FontInterface* at(int scale) const { return (scale == 2 && x2) ? x2.get() : x1.get(); }
};

}  // namespace pengui
