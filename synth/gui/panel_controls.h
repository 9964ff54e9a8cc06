#pragma once
// Turns the parameter items of the panel layout (knobs, faders, selectors,
// switches) into toolkit controls bound to their parameters. A section
// keeps one PanelControls for the items it owns.

#include <functional>
#include <memory>
#include <vector>

#include "framework/gui_binding/param_listener.h"
#include "gui/fader.h"
#include "gui/flip_flop.h"
#include "gui/knob.h"
#include "synth/gui/gui_part.h"
#include "synth/gui/panel_lamp.h"

namespace art {
struct PanelItem;
}

namespace synth {

// A toolkit control that also reports presses and, for those without a
// hover hook of their own, the pointer coming and going.
template <class Control>
class PanelControl : public Control {
public:
  using Control::Control;
  std::function<void()> on_press;
  std::function<void(bool over)> on_hover;

  bool mouse_down(const pengui::MouseEvent& e) override {
    if (on_press && e.button == pengui::MouseButton::left && this->is_enabled()) on_press();
    return Control::mouse_down(e);
  }
  void mouse_enter() override {
    Control::mouse_enter();
    if (on_hover) on_hover(true);
  }
  void mouse_leave() override {
    Control::mouse_leave();
    if (on_hover) on_hover(false);
  }
};

using PanelKnob = PanelControl<pengui::Knob>;
using PanelFader = PanelControl<pengui::Fader>;
using PanelSwitch = PanelControl<pengui::FlipFlop>;

// The link of one control to its parameter, with what the panel adds: the
// touched parameter for MIDI learn, the read-out while the control is
// hovered or dragged, and the lamp of a switch.
class PanelParamListener : public mppi::NumParamListener {
public:
  PanelParamListener(ValueReadout* readout, int* last_touched) : readout_(readout), last_touched_(last_touched) {}

  void set_lamp(PanelLamp* lamp, int lit_value) {
    lamp_ = lamp;
    lit_value_ = lit_value;
  }
  // The control is hovered or held: its value goes to the read-out.
  void set_showing(bool showing);
  void touch();

  bool take_control(int prio) override;
  double set_value(double nrm, int prio) override;
  void value_changed(double nrm, int prio) override;

private:
  ValueReadout* readout_;
  int* last_touched_;
  PanelLamp* lamp_ = nullptr;
  int lit_value_ = 1;
  bool showing_ = false;
};

class PanelControls {
public:
  PanelControls() = default;
  PanelControls(const PanelControls&) = delete;
  PanelControls& operator=(const PanelControls&) = delete;

  // A control for every parameter item of `part`, only those inside the
  // frame `frame` when it is not null; each is added to the window and
  // bound in ctx.meta. False when a parameter, a picture or a context
  // pointer is missing (what was built so far stays).
  bool build(GuiContext& ctx, const char* part, const char* frame = nullptr);
  // Every control shows its parameter's current value.
  void refresh();

  int size() const { return static_cast<int>(entries_.size()); }
  // The control bound to `param_index`, or null when this section has none.
  pengui::Widget* widget_of(int param_index) const;

  // The default a double-click or Ctrl-click restores, 0..1.
  static double default_nrm(int param_index, const mppi::NormalizedParamInterface& param);

private:
  struct Entry {
    int index = -1;
    std::unique_ptr<PanelParamListener> listener;
    std::unique_ptr<PanelLamp> lamp;
    // Declared last so that the control goes before what it points at.
    std::unique_ptr<pengui::Widget> widget;
    pengui::ControlInterface* control = nullptr;
  };
  bool add_item(GuiContext& ctx, const art::PanelItem& item);
  pengui::Widget* make_pot(GuiContext& ctx, const art::PanelItem& item, Entry& entry,
                           mppi::NormalizedParamInterface& param);
  pengui::Widget* make_switch(GuiContext& ctx, const art::PanelItem& item, Entry& entry);

  std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace synth
