#pragma once
// A line of text in a box: labels and value read-outs. The text is in the
// font's 8-bit character codes. Without a font nothing is written, but the
// background and frame are still drawn.

#include <cstdint>
#include <string>
#include <string_view>

#include "gui/canvas.h"
#include "gui/image.h"
#include "gui/widget.h"

namespace pengui {

class TextBox : public Widget {
public:
  static constexpr uint32_t kNoColour = 0xFFFFFFFFu;  // leave the panel visible

  explicit TextBox(const FontSet* font = nullptr) : font_(font) {}

  const std::string& text() const { return text_; }
  // Repaints only when the text changed.
  virtual void set_text(std::string_view text);
  void set_font(const FontSet* font);
  const FontSet* font() const { return font_; }
  void set_align(Align align);
  Align align() const { return align_; }
  void set_text_colour(uint32_t rgb);
  // kNoColour (the default) draws no background or frame.
  void set_background(uint32_t rgb);
  void set_frame(uint32_t rgb);
  // Space between the box's sides and the text, logical pixels.
  void set_padding(int pixels);

  void draw(Canvas& canvas) override;

  // Width and line height of text in logical pixels, measured on the 1x
  // font so that layouts are the same at both scales; 0 without a font.
  static int measure(const FontSet* font, std::string_view text);
  static int line_height(const FontSet* font);

protected:
  // The rectangle the text is aligned in.
  Rect text_area() const;
  // Left edge of the text as drawn, for the current alignment.
  int text_left(std::string_view text) const;
  void draw_box(Canvas& canvas);

  std::string text_;
  const FontSet* font_;
  Align align_ = Align::left;
  uint32_t text_colour_ = 0x000000;
  uint32_t background_ = kNoColour;
  uint32_t frame_ = kNoColour;
  int padding_ = 2;
};

}  // namespace pengui
