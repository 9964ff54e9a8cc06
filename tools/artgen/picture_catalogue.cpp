#include "tools/artgen/picture_catalogue.h"

#include <cctype>
#include <cmath>
#include <stdexcept>

#include "tools/artgen/cairo_raster.h"
#include "tools/artgen/text_source.h"

namespace artgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSweepStart = 0.625;  // turns, counter-clockwise from 3 o'clock
constexpr double kSweep = -0.75;

std::string substitute(std::string text, const std::map<std::string, std::string>& values, const std::string& name) {
  for (const auto& [key, value] : values) {
    const std::string token = "{" + key + "}";
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
      text.replace(at, token.size(), value);
  }
  // A {key} left over means the catalogue line lacks a value the drawing needs.
  for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
    size_t end = open + 1;
    while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
    if (end > open + 1 && end < text.size() && text[end] == '}')
      throw std::runtime_error(name + ": the drawing needs a value for " + text.substr(open, end - open + 1));
  }
  return text;
}

}  // namespace

std::vector<PictureSource> read_picture_catalogue(const std::string& path) {
  std::vector<PictureSource> out;
  for (const SourceLine& line : read_source_lines(path)) {
    PictureSource p;
    p.name = line.word(0);
    if (find_picture(out, p.name)) line.fail("picture " + p.name + " listed twice");
    p.svg = line.key("svg");
    p.width = line.int_key("w");
    p.height = line.int_key("h");
    p.frames = line.int_key("frames", 1);
    if (p.width <= 0 || p.height <= 0 || p.frames <= 0) line.fail("size and frames must be positive");
    for (const auto& [key, value] : line.keys) {
      if (key != "svg" && key != "w" && key != "h" && key != "frames" && key.rfind("caption", 0) != 0)
        p.values[key] = value;
    }
    // The drawing may use its own size as {w} and {h}.
    p.values["w"] = std::to_string(p.width);
    p.values["h"] = std::to_string(p.height);
    p.caption = line.key("caption", "");
    p.caption_colour = parse_colour(line.key("caption_colour", "#000000"));
    p.caption_size = line.real_key("caption_size", 8.5);
    p.caption_dy = line.real_key("caption_dy", 0);
    out.push_back(std::move(p));
  }
  return out;
}

const PictureSource* find_picture(const std::vector<PictureSource>& catalogue, const std::string& name) {
  for (const PictureSource& p : catalogue)
    if (p.name == name) return &p;
  return nullptr;
}

double strip_frame_rotation(int frame, int frames) {
  const double value = frames > 1 ? double(frame) / (frames - 1) : 0.0;
  const double turns = value * kSweep + kSweepStart;  // counter-clockwise from 3 o'clock
  return (0.25 - turns) * 2 * kPi;                    // clockwise from 12 o'clock, as cairo turns
}

Raster render_picture(const PictureSource& source, const std::string& art_dir, const PinnedFonts& fonts, int scale) {
  const std::string svg = substitute(read_file_text(art_dir + "/" + source.svg), source.values, source.name);
  cairo_surface_t* surface = new_surface(source.width * scale, source.height * source.frames * scale);
  cairo_t* cr = cairo_create(surface);
  for (int f = 0; f < source.frames; ++f) {
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, 0, f * source.height);
    cairo_rectangle(cr, 0, 0, source.width, source.height);
    cairo_clip(cr);
    if (source.frames > 1) {
      cairo_translate(cr, source.width / 2.0, source.height / 2.0);
      cairo_rotate(cr, strip_frame_rotation(f, source.frames));
      cairo_translate(cr, -source.width / 2.0, -source.height / 2.0);
    }
    render_svg(cr, svg, source.width, source.height, source.name);
    cairo_restore(cr);
  }
  if (!source.caption.empty()) {
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    set_text_font(cr, fonts.cairo_face("caption"), source.caption_size);
    const double top = (source.height - text_line_height(cr)) / 2 + source.caption_dy;
    draw_text(cr, source.width / 2.0, top, source.caption, source.caption_colour, TextAlign::center);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  Raster out = surface_to_raster(surface);
  cairo_surface_destroy(surface);
  return out;
}

}  // namespace artgen
