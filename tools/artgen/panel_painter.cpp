#include "tools/artgen/panel_painter.h"

#include <cmath>
#include <cstdio>

#include "tools/artgen/cairo_raster.h"
#include "tools/artgen/text_source.h"

namespace artgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kScaleTicks = 11;

void set_colour(cairo_t* cr, uint32_t rgb) {
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

class Painter {
public:
  Painter(cairo_t* cr, const PanelLayout& layout, const PanelGeometry& geometry, const PinnedFonts& fonts)
      : cr_(cr), layout_(layout), geometry_(geometry), fonts_(fonts) {}

  void text(const std::string& style, double x, double top, const std::string& s, TextAlign align) {
    const TextStyle& st = layout_.style(style);
    set_text_font(cr_, fonts_.cairo_face(st.font), st.size);
    draw_text(cr_, x, top, s, st.colour, align);
  }

  void frame(const Frame& f) {
    rounded_rect(cr_, f.x + 0.5, f.y + 0.5, f.w - 1, f.h - 1, 4);
    set_colour(cr_, layout_.colour("frame_fill"));
    cairo_fill_preserve(cr_);
    set_colour(cr_, layout_.colour("frame_edge"));
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
    if (f.title.empty()) return;
    const Box content = geometry_.frame_content(f);
    const double band = content.y - f.y - 2;
    cairo_save(cr_);
    rounded_rect(cr_, f.x + 1, f.y + 1, f.w - 2, f.h - 2, 3.5);
    cairo_clip(cr_);
    cairo_rectangle(cr_, f.x, f.y, f.w, band + 1);
    set_colour(cr_, layout_.colour("title_band"));
    cairo_fill(cr_);
    cairo_restore(cr_);
    text("title", f.x + f.w / 2.0, f.y + 1 + (band + 1 - geometry_.line_height("title")) / 2, f.title,
         TextAlign::center);
  }

  void tick(double x0, double y0, double x1, double y1, uint32_t rgb, double width) {
    set_colour(cr_, rgb);
    cairo_set_line_width(cr_, width);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_stroke(cr_);
  }

  void knob(const Item& it) {
    const double cx = it.x + it.w / 2.0, cy = it.y + it.h / 2.0;
    const double r0 = it.w / 2.0 + 1.5, r1 = it.w / 2.0 + 4.5;
    for (int i = 0; i < kScaleTicks; ++i) {
      const double value = double(i) / (kScaleTicks - 1);
      const double angle = (value * -0.75 + 0.625) * 2 * kPi;  // counter-clockwise, y up
      const bool major = i == 0 || i == kScaleTicks - 1 || (it.bipolar && i == kScaleTicks / 2);
      const double outer = major ? r1 + 0.5 : r1 - 1;
      tick(cx + r0 * std::cos(angle), cy - r0 * std::sin(angle), cx + outer * std::cos(angle),
           cy - outer * std::sin(angle), layout_.colour(major ? "tick_major" : "tick"), major ? 1.4 : 1.0);
    }
    if (!it.label.empty()) text("label", cx, it.y + it.h + 5, it.label, TextAlign::center);
  }

  void fader(const Item& it, int cap_height) {
    const double cx = it.x + it.w / 2.0;
    const double top = it.y + cap_height / 2.0, bottom = it.y + it.h - cap_height / 2.0;
    rounded_rect(cr_, cx - 2.5, top - 3, 5, bottom - top + 6, 2.5);
    set_colour(cr_, layout_.colour("slot"));
    cairo_fill_preserve(cr_);
    set_colour(cr_, layout_.colour("slot_edge"));
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
    for (int i = 0; i < kScaleTicks; ++i) {
      const double y = std::round(top + (bottom - top) * i / (kScaleTicks - 1)) + 0.5;
      const bool major = i == 0 || i == kScaleTicks - 1 || i == kScaleTicks / 2;
      const uint32_t rgb = layout_.colour(major ? "tick_major" : "tick");
      const double len = major ? 5 : 3;
      tick(it.x - 2 - len, y, it.x - 2, y, rgb, 1);
      tick(it.x + it.w + 2, y, it.x + it.w + 2 + len, y, rgb, 1);
    }
    if (!it.label.empty()) text("label", cx, it.y + it.h + 3, it.label, TextAlign::center);
  }

  void selector(const Item& it) {
    const double lh = geometry_.line_height("legend");
    text("legend", it.x + it.w + 4, it.y - 2, it.legends[0], TextAlign::left);
    text("legend", it.x + it.w + 4, it.y + it.h + 2 - lh, it.legends[1], TextAlign::left);
    if (!it.label.empty()) text("label", it.x, it.y - 3 - geometry_.line_height("label"), it.label, TextAlign::left);
  }

  void switch_label(const Item& it) {
    if (it.label.empty()) return;
    text("label", it.lamp_x + it.lamp_w + 4, it.y + (it.h - geometry_.line_height("label")) / 2, it.label,
         TextAlign::left);
  }

  void well(const Item& it, const std::string& fill, const std::string& edge) {
    rounded_rect(cr_, it.x - 0.5, it.y - 0.5, it.w + 1, it.h + 1, 2);
    set_colour(cr_, layout_.colour(fill));
    cairo_fill_preserve(cr_);
    set_colour(cr_, layout_.colour(edge));
    cairo_set_line_width(cr_, 1);
    cairo_stroke(cr_);
  }

  void item(const Item& it, const std::vector<PictureSource>& pictures) {
    switch (it.kind) {
      case ItemKind::knob: knob(it); break;
      case ItemKind::fader: fader(it, find_picture(pictures, it.picture)->height); break;
      case ItemKind::selector: selector(it); break;
      case ItemKind::switch_: switch_label(it); break;
      case ItemKind::button:
      case ItemKind::flipflop:
      case ItemKind::lamp:
        if (!it.label.empty())
          text("label", it.x + it.w / 2.0, it.y - 2 - geometry_.line_height("label"), it.label, TextAlign::center);
        break;
      case ItemKind::text_box:
      case ItemKind::display: well(it, "well", "well_edge"); break;
      case ItemKind::keyboard: well(it, "keybed", "well_edge"); break;
      case ItemKind::text: {
        const TextAlign align = it.align == "center" ? TextAlign::center
                                : it.align == "right" ? TextAlign::right
                                                      : TextAlign::left;
        text(it.style, it.x, it.y, it.name, align);
        break;
      }
    }
  }

private:
  cairo_t* cr_;
  const PanelLayout& layout_;
  const PanelGeometry& geometry_;
  const PinnedFonts& fonts_;
};

std::string colour_text(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", rgb & 0xFFFFFFu);
  return text;
}

}  // namespace

Raster paint_panel(const PanelLayout& layout, const PanelGeometry& geometry, const PinnedFonts& fonts,
                   const std::string& art_dir, int scale, const std::vector<PictureSource>& pictures) {
  cairo_surface_t* surface = new_surface(layout.width * scale, layout.height * scale);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);

  // The base drawing takes the layout's colours by name: {panel}, {panel_edge}...
  std::string base = read_file_text(art_dir + "/panel.svg");
  for (const auto& [name, rgb] : layout.colours) {
    const std::string token = "{" + name + "}";
    for (size_t at = base.find(token); at != std::string::npos; at = base.find(token)) base.replace(at, token.size(), colour_text(rgb));
  }
  render_svg(cr, base, layout.width, layout.height, "panel.svg");

  Painter painter(cr, layout, geometry, fonts);
  for (const Frame& f : layout.frames) painter.frame(f);
  for (const Item& it : layout.items) painter.item(it, pictures);

  cairo_destroy(cr);
  Raster out = surface_to_raster(surface);
  cairo_surface_destroy(surface);
  return out;
}

}  // namespace artgen
