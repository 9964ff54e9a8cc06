#include "tools/artgen/pinned_fonts.h"

#include <stdexcept>

#include <cairo-ft.h>

#include "tools/artgen/sha256.h"
#include "tools/artgen/text_source.h"

namespace artgen {

PinnedFonts::PinnedFonts(const std::string& list_path, const std::string& font_dir) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType does not start");
  for (const SourceLine& line : read_source_lines(list_path)) {
    const std::string& role = line.word(0);
    const std::string path = font_dir + "/" + line.word(1);
    const std::string& pinned = line.word(2);
    auto entry = std::make_unique<Entry>();
    try {
      entry->bytes = read_file_bytes(path);
    } catch (const std::exception&) {
      line.fail("font file " + path + " is missing (install fonts-dejavu-core, scripts/setup.sh)");
    }
    const std::string actual = sha256_hex(entry->bytes);
    if (actual != pinned) {
      line.fail("font file " + path + " differs from the pinned one (SHA-256 " + actual + ", expected " + pinned +
                "); the artwork would change: check the new font and update the pin on purpose");
    }
    if (FT_New_Memory_Face(library_, entry->bytes.data(), FT_Long(entry->bytes.size()), 0, &entry->face) != 0)
      line.fail("FreeType cannot read " + path);
    entry->cairo = cairo_ft_font_face_create_for_ft_face(entry->face, 0);
    entries_[role] = std::move(entry);
  }
}

// cairo may keep scaled fonts of a face cached after the face is released,
// so the FreeType faces stay until the process ends (the tool is short-lived).
PinnedFonts::~PinnedFonts() {
  for (auto& [role, entry] : entries_) cairo_font_face_destroy(entry->cairo);
}

FT_Face PinnedFonts::face(const std::string& role) const {
  auto it = entries_.find(role);
  if (it == entries_.end()) throw std::runtime_error("no font with the role " + role);
  return it->second->face;
}

cairo_font_face_t* PinnedFonts::cairo_face(const std::string& role) const {
  auto it = entries_.find(role);
  if (it == entries_.end()) throw std::runtime_error("no font with the role " + role);
  return it->second->cairo;
}

void set_text_font(cairo_t* cr, cairo_font_face_t* face, double size) {
  cairo_set_font_face(cr, face);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double text_width(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

double text_ascent(cairo_t* cr) {
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  return extents.ascent;
}

double text_line_height(cairo_t* cr) {
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  return extents.ascent + extents.descent;
}

void draw_text(cairo_t* cr, double x, double top, const std::string& text, uint32_t rgb, TextAlign align) {
  const double w = text_width(cr, text);
  if (align == TextAlign::center) x -= w / 2;
  if (align == TextAlign::right) x -= w;
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
  cairo_move_to(cr, x, top + text_ascent(cr));
  cairo_show_text(cr, text.c_str());
  cairo_new_path(cr);
}

}  // namespace artgen
