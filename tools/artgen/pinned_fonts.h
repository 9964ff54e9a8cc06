#pragma once
// The font files the artwork is rendered from, each pinned by SHA-256: a
// different file (another version of the font package) stops the build
// with a message instead of silently changing every picture.

#include <map>
#include <string>
#include <vector>

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace artgen {

class PinnedFonts {
public:
  // `list_path` holds lines "role FILE SHA256"; files are looked up in `font_dir`.
  PinnedFonts(const std::string& list_path, const std::string& font_dir);
  ~PinnedFonts();
  PinnedFonts(const PinnedFonts&) = delete;
  PinnedFonts& operator=(const PinnedFonts&) = delete;

  FT_Face face(const std::string& role) const;
  cairo_font_face_t* cairo_face(const std::string& role) const;

private:
  struct Entry {
    FT_Face face = nullptr;  // released by cairo with its last reference
    cairo_font_face_t* cairo = nullptr;
  };
  std::map<std::string, Entry> entries_;
};

enum class TextAlign { left, center, right };

// Text drawn and measured with fixed options (grey antialiasing, slight
// hinting, unhinted metrics) so that widths scale exactly with the size.
void set_text_font(cairo_t* cr, cairo_font_face_t* face, double size);
double text_width(cairo_t* cr, const std::string& text);
// (x, top): the anchor on the left, centre or right of the text's top line
// (the font's ascent above the baseline).
void draw_text(cairo_t* cr, double x, double top, const std::string& text, uint32_t rgb, TextAlign align);
double text_ascent(cairo_t* cr);
double text_line_height(cairo_t* cr);

}  // namespace artgen
