#include "tools/artgen/panel_layout.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "tools/artgen/cairo_raster.h"
#include "tools/artgen/text_source.h"

namespace artgen {
namespace {

// Room the painter takes around a control for its scale.
constexpr double kKnobRing = 5;
constexpr double kFaderTicks = 7;
constexpr double kTitleBand = 14;
constexpr double kFrameInset = 2;

const std::map<std::string, ItemKind>& kind_words() {
  static const std::map<std::string, ItemKind> words = {
      {"knob", ItemKind::knob},         {"fader", ItemKind::fader},       {"selector", ItemKind::selector},
      {"switch", ItemKind::switch_},    {"button", ItemKind::button},     {"flipflop", ItemKind::flipflop},
      {"lamp", ItemKind::lamp},         {"textbox", ItemKind::text_box},  {"display", ItemKind::display},   {"keyboard", ItemKind::keyboard},
      {"text", ItemKind::text}};
  return words;
}

const PictureSource& need_picture(const std::vector<PictureSource>& pictures, const std::string& name,
                                  const SourceLine& line) {
  const PictureSource* p = find_picture(pictures, name);
  if (!p) line.fail("unknown picture " + name);
  return *p;
}

std::vector<std::string> split_bar(const std::string& text) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, '|')) parts.push_back(part);
  return parts;
}

Item read_item(const SourceLine& line, ItemKind kind, const std::vector<PictureSource>& pictures) {
  Item item;
  item.kind = kind;
  item.line = line.number;
  item.name = line.word(1);
  item.x = line.int_key("x");
  item.y = line.int_key("y");
  item.label = line.key("label", "");
  switch (kind) {
    case ItemKind::knob: {
      const PictureSource& body = need_picture(pictures, line.key("pic"), line);
      const PictureSource& pointer = need_picture(pictures, line.key("pointer"), line);
      if (pointer.width != body.width || pointer.height != body.height || pointer.frames < 2)
        line.fail("pointer strip " + pointer.name + " must match the knob body and have frames");
      item.picture = body.name;
      item.picture_on = pointer.name;
      item.w = body.width;
      item.h = body.height;
      const std::string scale = line.key("scale", "unipolar");
      if (scale != "unipolar" && scale != "bipolar") line.fail("scale must be unipolar or bipolar");
      item.bipolar = scale == "bipolar";
      break;
    }
    case ItemKind::fader: {
      const PictureSource& cap = need_picture(pictures, line.key("pic"), line);
      item.picture = cap.name;
      item.travel = line.int_key("travel");
      if (item.travel < 8) line.fail("fader travel too short");
      item.w = cap.width;
      item.h = cap.height + item.travel;
      break;
    }
    case ItemKind::selector:
    case ItemKind::switch_:
    case ItemKind::button:
    case ItemKind::flipflop:
    case ItemKind::lamp: {
      const PictureSource& off = need_picture(pictures, line.key("pic"), line);
      const PictureSource& on = need_picture(pictures, line.key(kind == ItemKind::button ? "pressed" : "on"), line);
      if (off.width != on.width || off.height != on.height) line.fail("the two states differ in size");
      item.picture = off.name;
      item.picture_on = on.name;
      item.w = off.width;
      item.h = off.height;
      if (kind == ItemKind::selector) {
        item.legends = split_bar(line.key("legends"));
        if (item.legends.size() != 2) line.fail("a selector has two legends: \"zero|one\"");
      }
      if (kind == ItemKind::switch_) {
        const PictureSource& lamp = need_picture(pictures, line.key("lamp"), line);
        const PictureSource& lit = need_picture(pictures, line.key("lamp_on"), line);
        if (lamp.width != lit.width || lamp.height != lit.height) line.fail("the lamp states differ in size");
        item.lamp = lamp.name;
        item.lamp_on = lit.name;
        item.lamp_x = item.x + item.w + 3;
        item.lamp_y = item.y + (item.h - lamp.height) / 2;
        item.lamp_w = lamp.width;
        item.lamp_h = lamp.height;
        item.lit = line.int_key("lit", 1);
        if (item.lit != 0 && item.lit != 1) line.fail("lit must be 0 or 1");
      }
      break;
    }
    case ItemKind::keyboard:
      item.octaves = line.int_key("octaves");
      item.first_note = line.int_key("first_note");
      if (item.octaves < 1 || item.first_note < 0 || item.first_note + 12 * item.octaves > 127)
        line.fail("keyboard range outside the MIDI notes");
      [[fallthrough]];
    case ItemKind::text_box:
    case ItemKind::display:
      item.w = line.int_key("w");
      item.h = line.int_key("h");
      if (item.w <= 0 || item.h <= 0) line.fail("size must be positive");
      break;
    case ItemKind::text:
      item.style = line.key("style");
      item.align = line.key("align", "left");
      if (item.align != "left" && item.align != "center" && item.align != "right")
        line.fail("align must be left, center or right");
      break;
  }
  return item;
}

}  // namespace

uint32_t PanelLayout::colour(const std::string& key) const {
  auto it = colours.find(key);
  if (it == colours.end()) throw std::runtime_error("panel layout: no colour " + key);
  return it->second;
}

const TextStyle& PanelLayout::style(const std::string& key) const {
  auto it = styles.find(key);
  if (it == styles.end()) throw std::runtime_error("panel layout: no style " + key);
  return it->second;
}

const char* kind_name(ItemKind kind) {
  for (const auto& [word, k] : kind_words())
    if (k == kind) return word.c_str();
  return "?";
}

bool is_parameter_control(ItemKind kind) {
  return kind == ItemKind::knob || kind == ItemKind::fader || kind == ItemKind::selector || kind == ItemKind::switch_;
}

PanelLayout read_panel_layout(const std::string& path, const std::vector<PictureSource>& pictures) {
  PanelLayout layout;
  for (const SourceLine& line : read_source_lines(path)) {
    const std::string& head = line.word(0);
    if (head == "panel") {
      layout.width = line.int_key("w");
      layout.height = line.int_key("h");
    } else if (head == "colour") {
      const std::string& name = line.word(1);
      const std::string& value = line.word(2);
      try {
        layout.colours[name] = parse_colour(value);
      } catch (const std::runtime_error& e) {
        line.fail(e.what());
      }
    } else if (head == "style") {
      TextStyle s;
      s.font = line.key("font");
      s.size = line.real_key("size", 9);
      const std::string& colour = line.key("colour");
      try {
        s.colour = parse_colour(colour);
      } catch (const std::runtime_error& e) {
        line.fail(e.what());
      }
      layout.styles[line.word(1)] = s;
    } else if (head == "frame") {
      Frame f;
      f.id = line.word(1);
      f.part = line.key("part");
      f.title = line.key("title", "");
      f.x = line.int_key("x");
      f.y = line.int_key("y");
      f.w = line.int_key("w");
      f.h = line.int_key("h");
      for (const Frame& other : layout.frames)
        if (other.id == f.id) line.fail("frame " + f.id + " defined twice");
      layout.frames.push_back(f);
    } else if (kind_words().count(head)) {
      if (layout.frames.empty()) line.fail("an item before the first frame");
      Item item = read_item(line, kind_words().at(head), pictures);
      item.frame = int(layout.frames.size()) - 1;
      if (item.kind != ItemKind::text) {
        for (const Item& other : layout.items)
          if (other.kind != ItemKind::text && other.name == item.name)
            line.fail("\"" + item.name + "\" has a control already (line " + std::to_string(other.line) + ")");
      }
      layout.items.push_back(std::move(item));
    } else {
      line.fail("unknown line kind " + head);
    }
  }
  if (layout.width <= 0 || layout.height <= 0) throw std::runtime_error(path + ": no panel size");
  return layout;
}

PanelGeometry::PanelGeometry(const PanelLayout& layout, const PinnedFonts& fonts) : layout_(layout), fonts_(fonts) {}

double PanelGeometry::line_height(const std::string& style) const {
  const TextStyle& s = layout_.style(style);
  cairo_surface_t* surface = new_surface(1, 1);
  cairo_t* cr = cairo_create(surface);
  set_text_font(cr, fonts_.cairo_face(s.font), s.size);
  const double h = text_line_height(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return h;
}

Box PanelGeometry::text_box(const std::string& style, double x, double top, const std::string& text,
                            TextAlign align) const {
  const TextStyle& s = layout_.style(style);
  cairo_surface_t* surface = new_surface(1, 1);
  cairo_t* cr = cairo_create(surface);
  set_text_font(cr, fonts_.cairo_face(s.font), s.size);
  const double w = text_width(cr, text);
  const double h = text_line_height(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  if (align == TextAlign::center) x -= w / 2;
  if (align == TextAlign::right) x -= w;
  return Box{x, top, w, h};
}

Box PanelGeometry::frame_content(const Frame& f) const {
  const double band = f.title.empty() ? 0 : kTitleBand;
  return Box{f.x + kFrameInset, f.y + kFrameInset + band, f.w - 2 * kFrameInset, f.h - 2 * kFrameInset - band};
}

std::vector<Box> PanelGeometry::occupied(const Item& it) const {
  std::vector<Box> boxes;
  const Box rect{double(it.x), double(it.y), double(it.w), double(it.h)};
  const double cx = it.x + it.w / 2.0;
  switch (it.kind) {
    case ItemKind::knob:
      boxes.push_back(Box{rect.x - kKnobRing, rect.y - kKnobRing, rect.w + 2 * kKnobRing, rect.h + 2 * kKnobRing});
      if (!it.label.empty()) boxes.push_back(text_box("label", cx, it.y + it.h + kKnobRing, it.label, TextAlign::center));
      break;
    case ItemKind::fader:
      boxes.push_back(Box{rect.x - kFaderTicks, rect.y, rect.w + 2 * kFaderTicks, rect.h});
      if (!it.label.empty()) boxes.push_back(text_box("label", cx, it.y + it.h + 3, it.label, TextAlign::center));
      break;
    case ItemKind::selector: {
      boxes.push_back(rect);
      const double lh = line_height("legend");
      boxes.push_back(text_box("legend", it.x + it.w + 4, it.y - 2, it.legends[0], TextAlign::left));
      boxes.push_back(text_box("legend", it.x + it.w + 4, it.y + it.h + 2 - lh, it.legends[1], TextAlign::left));
      if (!it.label.empty())
        boxes.push_back(text_box("label", it.x, it.y - 3 - line_height("label"), it.label, TextAlign::left));
      break;
    }
    case ItemKind::switch_: {
      boxes.push_back(rect);
      const Box lamp{double(it.lamp_x), double(it.lamp_y), double(it.lamp_w), double(it.lamp_h)};
      boxes.push_back(lamp);
      if (!it.label.empty())
        boxes.push_back(text_box("label", lamp.x + lamp.w + 4, it.y + (it.h - line_height("label")) / 2, it.label,
                                 TextAlign::left));
      break;
    }
    case ItemKind::button:
    case ItemKind::flipflop:
    case ItemKind::lamp:
      boxes.push_back(rect);
      if (!it.label.empty())
        boxes.push_back(text_box("label", cx, it.y - 2 - line_height("label"), it.label, TextAlign::center));
      break;
    case ItemKind::text_box:
    case ItemKind::display:
    case ItemKind::keyboard:
      boxes.push_back(Box{rect.x - 1, rect.y - 1, rect.w + 2, rect.h + 2});
      break;
    case ItemKind::text: {
      const TextAlign align = it.align == "center" ? TextAlign::center
                              : it.align == "right" ? TextAlign::right
                                                    : TextAlign::left;
      boxes.push_back(text_box(it.style, it.x, it.y, it.name, align));
      break;
    }
  }
  return boxes;
}

std::vector<std::string> check_panel_layout(const PanelLayout& layout, const PanelGeometry& geometry) {
  std::vector<std::string> faults;
  const Box panel{0, 0, double(layout.width), double(layout.height)};
  auto where = [](const Item& it) { return "line " + std::to_string(it.line) + " (" + it.name + ")"; };
  auto box_text = [](const Box& b) {
    char text[96];
    std::snprintf(text, sizeof text, "[%.1f, %.1f, %.1f x %.1f]", b.x, b.y, b.w, b.h);
    return std::string(text);
  };
  for (size_t i = 0; i < layout.frames.size(); ++i) {
    const Frame& f = layout.frames[i];
    const Box fb{double(f.x), double(f.y), double(f.w), double(f.h)};
    if (!panel.contains(fb)) faults.push_back("frame " + f.id + " leaves the panel");
    for (size_t j = 0; j < i; ++j) {
      const Frame& g = layout.frames[j];
      if (fb.intersects(Box{double(g.x), double(g.y), double(g.w), double(g.h)}))
        faults.push_back("frames " + g.id + " and " + f.id + " overlap");
    }
  }
  std::vector<std::vector<Box>> taken;
  for (const Item& it : layout.items) taken.push_back(geometry.occupied(it));
  for (size_t i = 0; i < layout.items.size(); ++i) {
    const Box content = geometry.frame_content(layout.frames[size_t(layout.items[i].frame)]);
    for (const Box& b : taken[i])
      if (!content.contains(b))
        faults.push_back(where(layout.items[i]) + " " + box_text(b) + " leaves its frame " +
                         layout.frames[size_t(layout.items[i].frame)].id + " " + box_text(content));
    for (size_t j = 0; j < i; ++j)
      for (const Box& a : taken[i])
        for (const Box& b : taken[j])
          if (a.intersects(b))
            faults.push_back(where(layout.items[j]) + " " + box_text(b) + " overlaps " + where(layout.items[i]) + " " +
                             box_text(a));
  }
  return faults;
}

}  // namespace artgen
