#pragma once
// One section of the synth's editor panel (oscillators, mixer, presets,
// keyboard, ...). ZindleGui builds the sections in a fixed order into one
// toolkit window and drives them; each section owns the controls and
// listeners it creates. Everything runs on the editor (host GUI) thread.

#include <array>

#include "synth/params/param_id.h"

namespace pengui {
class Window;
struct Image;
struct FontSet;
}  // namespace pengui

namespace mppi {
class DspInterface;
class GuiSetupInterface;
class HostGuiInterface;
class MetaControl;
}  // namespace mppi

namespace synth {

// The read-out box of the panel: what the pointer is over or dragging.
class ValueReadout {
public:
  virtual ~ValueReadout() = default;
  // Shows a parameter's name and its value in its own display text.
  virtual void show_param(int param_index) = 0;
  virtual void show_text(const char* line1, const char* line2) = 0;
  virtual void clear() = 0;
};

// Pictures and the font by their resource names ("kn_36", "font_02");
// null when the name is not among the loaded ones.
class GuiResources {
public:
  virtual ~GuiResources() = default;
  virtual const pengui::Image* image(const char* name) const = 0;
  virtual const pengui::FontSet* font(const char* name) const = 0;
};

// What a section builds with. The pointers stay valid from build() to
// detach(); host and dsp are set before build().
struct GuiContext {
  pengui::Window* window = nullptr;
  const GuiResources* resources = nullptr;
  mppi::HostGuiInterface* host = nullptr;
  mppi::DspInterface* dsp = nullptr;
  // The link from each parameter index to the control that shows it; a
  // section binds the entries of the parameters it shows.
  std::array<mppi::MetaControl, kNbrParams>* meta = nullptr;
  ValueReadout* readout = nullptr;
  // The parameter last touched in the editor (for MIDI learn); -1 for none.
  int* last_touched_param = nullptr;
  // The editor as the setup menu and the preset section see it.
  mppi::GuiSetupInterface* setup = nullptr;
};

class GuiPart {
public:
  virtual ~GuiPart() = default;
  // Creates the section's controls from the panel layout (the items whose
  // part is this section's name) and adds them to the window. False when
  // something it needs is missing.
  virtual bool build(GuiContext& ctx) = 0;
  // Lets go of the DSP side (keyboard display, listeners) before it goes.
  virtual void detach() {}
  // Called on every editor idle while the window is open (lamps, notes
  // from MIDI, timers that are not the toolkit's).
  virtual void idle() {}
  // The window opened: controls show the current values.
  virtual void refresh() {}
};

}  // namespace synth
