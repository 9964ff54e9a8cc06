#pragma once
// What a widget draws with: the rendering buffer seen in logical pixels
// (the 900 x 446 space) at the window's scale, clipped to the area being
// repainted. Nothing is drawn outside the clip.

#include <cstdint>
#include <string_view>

#include "gui/geometry.h"
#include "gui/image.h"
#include "gui/render_buffer.h"

namespace pengui {

enum class Align { left, center, right };

class Canvas {
public:
  Canvas(RenderBuffer& buffer, int scale, const Rect& clip_logical);

  int scale() const { return scale_; }
  const Rect& clip() const { return clip_; }  // logical
  RenderBuffer& buffer() { return buffer_; }

  // Narrows the clip for the lifetime of the returned guard.
  class ClipGuard {
  public:
    ClipGuard(Canvas& c, const Rect& r) : c_(c), saved_(c.clip_) { c.clip_ = c.clip_.intersect(r); }
    ~ClipGuard() { c_.clip_ = saved_; }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;

  private:
    Canvas& c_;
    Rect saved_;
  };

  void fill_rect(const Rect& r, uint32_t rgb);
  // Blends rgb over the area with opacity 0..255.
  void blend_rect(const Rect& r, uint32_t rgb, int alpha);
  void frame_rect(const Rect& r, uint32_t rgb, int thickness = 1);
  void draw_image(const Image& img, int x, int y);
  void draw_image_part(const Image& img, const Rect& src_logical, int x, int y);
  // Anti-aliased line of `width` logical pixels with round ends.
  void draw_line(float x0, float y0, float x1, float y1, float width, uint32_t rgb);
  // Anti-aliased filled circle.
  void fill_circle(float cx, float cy, float radius, uint32_t rgb);
  // Text in the font's 8-bit character codes, top-left at (x, y).
  void draw_text(const FontSet& font, int x, int y, std::string_view text, uint32_t rgb);
  // Text placed in a box: aligned horizontally, centred vertically, cut at the box.
  void draw_text_in(const FontSet& font, const Rect& box, std::string_view text, uint32_t rgb,
                    Align align = Align::left);
  int text_width(const FontSet& font, std::string_view text) const;  // logical
  int text_height(const FontSet& font) const;                        // logical

private:
  RenderBuffer& buffer_;
  int scale_;
  Rect clip_;
};

}  // namespace pengui
