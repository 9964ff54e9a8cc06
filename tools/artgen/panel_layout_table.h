#pragma once
// The editor panel, generated from resources/art/panel_layout.txt (the one
// source of the layout; the background picture is painted from it too).
// Positions and sizes are logical pixels of the 900 x 446 panel.

namespace art {

constexpr int kPanelWidth = 900;
constexpr int kPanelHeight = 446;

// A labelled section frame and the editor section object that owns it.
struct PanelFrame {
  const char* id;
  const char* part;   // "GuiOsc", "GuiMix", ...
  const char* title;
  int x, y, w, h;
};

enum class PanelItemKind { knob, fader, selector, switch_, button, flipflop, lamp, text_box, display, keyboard };

struct PanelItem {
  PanelItemKind kind;
  const char* name;   // parameter name for knob, fader, selector, switch; else the control's id
  const char* frame;  // id of the frame it sits in
  const char* part;
  int x, y, w, h;     // the control's rectangle
  // knob: body; fader: cap; button: released; selector, switch, flipflop,
  // lamp: state 0 (value below 0.5).
  const char* picture;
  // knob: pointer strip (frames stacked downwards, the first at value 0,
  // the last at value 1); button: pressed; two-state items: state 1.
  const char* picture_on;
  const char* lamp;     // switch lamp, off and lit; "" for other items
  const char* lamp_on;
  int lamp_x, lamp_y;
  int travel;          // fader: pixels the cap moves; cap top at y + (1 - value) * travel
  int lit;             // switch value that lights the lamp
  bool bipolar;        // knob scale centred (tuning)
  int octaves;         // keyboard: octaves shown from first_note (a last C is added)
  int first_note;
};

extern const PanelFrame kPanelFrames[];
extern const int kPanelFrameCount;
extern const PanelItem kPanelItems[];
extern const int kPanelItemCount;

}  // namespace art
