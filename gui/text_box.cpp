#include "gui/text_box.h"

namespace pengui {

void TextBox::set_text(std::string_view text) {
  if (text == text_) return;
  text_.assign(text);
  invalidate();
}

void TextBox::set_font(const FontSet* font) {
  font_ = font;
  invalidate();
}

void TextBox::set_align(Align align) {
  align_ = align;
  invalidate();
}

void TextBox::set_text_colour(uint32_t rgb) {
  text_colour_ = rgb;
  invalidate();
}

void TextBox::set_background(uint32_t rgb) {
  background_ = rgb;
  invalidate();
}

void TextBox::set_frame(uint32_t rgb) {
  frame_ = rgb;
  invalidate();
}

void TextBox::set_padding(int pixels) {
  padding_ = pixels > 0 ? pixels : 0;
  invalidate();
}

int TextBox::measure(const FontSet* font, std::string_view text) {
  return (font && font->x1) ? font->x1->text_width(text) : 0;
}

int TextBox::line_height(const FontSet* font) {
  return (font && font->x1) ? font->x1->glyph_height() : 0;
}

Rect TextBox::text_area() const {
  const Rect& b = bounds();
  return {b.x + padding_, b.y, b.w - 2 * padding_, b.h};
}

int TextBox::text_left(std::string_view text) const {
  const Rect area = text_area();
  const int spare = area.w - measure(font_, text);
  switch (align_) {
    case Align::center: return area.x + spare / 2;
    case Align::right: return area.x + spare;
    case Align::left: break;
  }
  return area.x;
}

void TextBox::draw_box(Canvas& canvas) {
  if (background_ != kNoColour) canvas.fill_rect(bounds(), background_);
  if (frame_ != kNoColour) canvas.frame_rect(bounds(), frame_);
}

void TextBox::draw(Canvas& canvas) {
  draw_box(canvas);
  if (font_ && font_->x1 && !text_.empty()) {
    canvas.draw_text_in(*font_, text_area(), text_, text_colour_, align_);
  }
}

}  // namespace pengui
