#include "tools/artgen/pinned_fonts.h"

#include <memory>
#include <stdexcept>

#include <cairo-ft.h>

#include "tools/artgen/sha256.h"
#include "tools/artgen/text_source.h"

namespace artgen {

namespace {

// One FreeType library for the process: cairo may keep faces in its caches
// after their owner is gone, so the library that made them stays.
FT_Library shared_library() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) throw std::runtime_error("FreeType does not start");
    return made;
  }();
  return library;
}

// A memory face owns its bytes: they go when FreeType finalises the face.
void free_face_bytes(void* face) {
  auto* f = static_cast<FT_Face>(face);
  delete static_cast<std::vector<unsigned char>*>(f->generic.data);
}

void done_face(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

const cairo_user_data_key_t kFaceKey{};

}  // namespace

PinnedFonts::PinnedFonts(const std::string& list_path, const std::string& font_dir) {
  for (const SourceLine& line : read_source_lines(list_path)) {
    const std::string& role = line.word(0);
    const std::string path = font_dir + "/" + line.word(1);
    const std::string& pinned = line.word(2);
    auto bytes = std::make_unique<std::vector<unsigned char>>();
    try {
      *bytes = read_file_bytes(path);
    } catch (const std::exception&) {
      line.fail("font file " + path + " is missing (install fonts-dejavu-core, scripts/setup.sh)");
    }
    const std::string actual = sha256_hex(*bytes);
    if (actual != pinned) {
      line.fail("font file " + path + " differs from the pinned one (SHA-256 " + actual + ", expected " + pinned +
                "); the artwork would change: check the new font and update the pin on purpose");
    }
    Entry entry;
    if (FT_New_Memory_Face(shared_library(), bytes->data(), FT_Long(bytes->size()), 0, &entry.face) != 0)
      line.fail("FreeType cannot read " + path);
    entry.face->generic.data = bytes.release();
    entry.face->generic.finalizer = free_face_bytes;
    entry.cairo = cairo_ft_font_face_create_for_ft_face(entry.face, 0);
    if (cairo_font_face_set_user_data(entry.cairo, &kFaceKey, entry.face, done_face) != CAIRO_STATUS_SUCCESS) {
      cairo_font_face_destroy(entry.cairo);
      FT_Done_Face(entry.face);
      line.fail("cairo cannot take the font " + path);
    }
    auto old = entries_.find(role);
    if (old != entries_.end()) cairo_font_face_destroy(old->second.cairo);
    entries_[role] = entry;
  }
}

PinnedFonts::~PinnedFonts() {
  for (auto& [role, entry] : entries_) cairo_font_face_destroy(entry.cairo);
}

FT_Face PinnedFonts::face(const std::string& role) const {
  auto it = entries_.find(role);
  if (it == entries_.end()) throw std::runtime_error("no font with the role " + role);
  return it->second.face;
}

cairo_font_face_t* PinnedFonts::cairo_face(const std::string& role) const {
  auto it = entries_.find(role);
  if (it == entries_.end()) throw std::runtime_error("no font with the role " + role);
  return it->second.cairo;
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
