#pragma once
// The panel layout as the art tool reads it from resources/art/panel_layout.txt:
// frames (the labelled sections), the controls of the 62 parameters and the
// other controls and areas, with the geometry every item occupies. The
// editor reads the same table through the generated C++.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/artgen/picture_catalogue.h"

namespace artgen {

struct Box {
  double x = 0, y = 0, w = 0, h = 0;
  bool intersects(const Box& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
  bool contains(const Box& o) const { return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h; }
};

struct TextStyle {
  std::string font;  // role in fonts.txt
  double size = 9;
  uint32_t colour = 0;
};

struct Frame {
  std::string id;
  std::string part;  // the editor's section object, e.g. "GuiOsc"
  std::string title;
  int x = 0, y = 0, w = 0, h = 0;
};

enum class ItemKind { knob, fader, selector, switch_, button, flipflop, lamp, text_box, display, keyboard, text };

struct Item {
  ItemKind kind = ItemKind::text;
  std::string name;   // parameter name, control id or the text itself
  int frame = -1;     // index into frames
  int line = 0;       // source line, for messages
  int x = 0, y = 0, w = 0, h = 0;  // the control's rectangle (logical pixels)
  std::string picture;     // knob body, fader cap, state 0 of two-state items, button released
  std::string picture_on;  // knob pointer strip, state 1, button pressed
  std::string lamp, lamp_on;  // switch lamp off and lit
  int lamp_x = 0, lamp_y = 0, lamp_w = 0, lamp_h = 0;
  int travel = 0;                  // fader cap travel
  int lit = 1;                     // switch value that lights the lamp
  bool bipolar = false;            // knob scale marked from the centre
  int octaves = 0, first_note = 0;  // keyboard
  std::string label;
  std::vector<std::string> legends;  // selector: texts for values 0 and 1
  std::string style;                 // text items
  std::string align = "left";
};

struct PanelLayout {
  int width = 0, height = 0;
  std::map<std::string, uint32_t> colours;
  std::map<std::string, TextStyle> styles;
  std::vector<Frame> frames;
  std::vector<Item> items;

  uint32_t colour(const std::string& key) const;
  const TextStyle& style(const std::string& key) const;
};

const char* kind_name(ItemKind kind);
bool is_parameter_control(ItemKind kind);

// Reads the table and sizes each control from its pictures; throws with
// file and line on any error.
PanelLayout read_panel_layout(const std::string& path, const std::vector<PictureSource>& pictures);

// Every place an item takes on the panel (control, legends, labels),
// measured with the real fonts.
class PanelGeometry {
public:
  PanelGeometry(const PanelLayout& layout, const PinnedFonts& fonts);
  std::vector<Box> occupied(const Item& item) const;
  Box frame_content(const Frame& frame) const;
  Box text_box(const std::string& style, double x, double top, const std::string& text, TextAlign align) const;
  double line_height(const std::string& style) const;

private:
  const PanelLayout& layout_;
  const PinnedFonts& fonts_;
};

// Overlaps between items, items outside their frame or the panel, frames
// outside the panel or over each other: one message per fault, empty when
// the layout is clean.
std::vector<std::string> check_panel_layout(const PanelLayout& layout, const PanelGeometry& geometry);

}  // namespace artgen
