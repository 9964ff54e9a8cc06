#pragma once
// The panel sections on a window without a display, over the real synth
// DSP object and plug-in core: the editor's host interface forwards to the
// core and records every call, the core's host records begin-edit,
// automation and end-edit, and one clock drives the window and the core.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/plugin_core_fixture.h"
#include "framework/editor/graph_rsc_mixin.h"
#include "framework/gui_binding/param_listener.h"
#include "gui/support/fake_native_window.h"
#include "gui/window.h"
#include "synth/gui/gui_edit.h"
#include "synth/gui/gui_env.h"
#include "synth/gui/gui_keyboard.h"
#include "synth/gui/gui_misc.h"
#include "synth/gui/gui_mix.h"
#include "synth/gui/gui_osc.h"
#include "synth/gui/gui_resources.h"
#include "synth/gui/gui_snh_lfo.h"
#include "support/editor_core_host.h"
#include "support/editor_input.h"
#include "tools/artgen/art_resources.h"

namespace panel_test {

struct GuiCall {
  enum Kind { Take, Release, Set } kind;
  int param;
  float value;
  int source;
};

// The editor's host interface, recording what it changes.
class RecordingHostGui : public zindle_test::EditorCoreHost {
public:
  using EditorCoreHost::EditorCoreHost;
  bool take_control(int p, int s) override {
    calls.push_back({GuiCall::Take, p, 0.0f, s});
    return core_.take_control(p, s);
  }
  void release_control(int p, int s) override {
    calls.push_back({GuiCall::Release, p, 0.0f, s});
    core_.release_control(p, s);
  }
  bool set_param_and_notify(int p, float v, int s) override {
    calls.push_back({GuiCall::Set, p, v, s});
    return core_.set_param_and_notify(p, v, s);
  }
  std::vector<GuiCall> calls;  // in order
};

// The generated artwork, loaded once for all tests.
inline const synth::GuiResources& art_resources() {
  static const struct Art {
    Art() {
      art::register_art_resources();
      store.load_graph_resources(art::kPictureNames, art::kPictureCount, art::kFontName);
    }
    mppi::GraphRscMixin store;
  } art;
  static const synth::LoadedGuiResources resources(art.store);
  return resources;
}

// Records the notes the editor plays on the DSP object.
struct NoteCall {
  bool on;
  int channel;
  int note;
  float pitch;
  float value;
  float velocity;
  int flag;
};

class NoteRecordingDsp : public synth::ZindleDsp {
public:
  int32_t note_on(int ch, int note, float pitch, float value, float velocity, int flag) override {
    notes.push_back({true, ch, note, pitch, value, velocity, flag});
    return ZindleDsp::note_on(ch, note, pitch, value, velocity, flag);
  }
  int32_t note_off(int ch, int note, float velocity) override {
    notes.push_back({false, ch, note, 0.0f, 0.0f, velocity, 0});
    return ZindleDsp::note_off(ch, note, velocity);
  }
  std::vector<NoteCall> notes;
};

using zindle_test::centre_of;

struct PanelRig : zindle_test::EditorInput {
  PanelRig() : EditorInput(window), host_gui(rig.core) {
    window.set_clock([this] { return rig.clock; });
    ctx.window = &window;
    ctx.resources = &art_resources();
    ctx.host = &host_gui;
    ctx.dsp = &rig.dsp;
    ctx.meta = &meta;
    ctx.readout = &edit;
    ctx.last_touched_param = &last_touched;
    for (synth::GuiPart* part : parts()) built_all = part->build(ctx) && built_all;
    window.open(nullptr);
    window.render_dirty();
    host_gui.calls.clear();
  }
  ~PanelRig() {
    for (synth::GuiPart* part : parts()) part->detach();
  }

  std::vector<synth::GuiPart*> parts() {
    return {&misc, &osc1, &osc2, &snh_lfo, &mix, &env, &keyboard, &edit};
  }
  std::vector<const synth::PanelSection*> param_sections() const {
    return {&misc, &osc1, &osc2, &snh_lfo, &mix, &env};
  }
  // The control of parameter `index`, or null.
  const pengui::Widget* widget_of(int index) const {
    for (const synth::PanelSection* section : param_sections())
      if (const pengui::Widget* w = section->controls().widget_of(index)) return w;
    return nullptr;
  }
  void idle() {
    for (synth::GuiPart* part : parts()) part->idle();
    window.idle();
  }
  // Moves the shared clock on by `seconds` in steps of the pots' tick.
  void run(double seconds) {
    for (double t = 0.0; t < seconds; t += 0.03) {
      rig.clock += 0.03;
      idle();
    }
  }

  float nrm(int index) { return rig.dsp.get_param(index)->nrm(); }
  // One audio block: keys played on the screen reach the DSP object here.
  void render(int samples = 64) {
    std::vector<float> left(static_cast<size_t>(samples));
    std::vector<float> right(static_cast<size_t>(samples));
    float* outs[2] = {left.data(), right.data()};
    rig.dsp.process_replacing(outs, nullptr, samples, nullptr);
  }

  zindle_test::CoreRig<NoteRecordingDsp> rig;
  RecordingHostGui host_gui;
  pengui::Window window{900, 446};
  std::shared_ptr<pengui::testing::FakeNativeRecord> native = pengui::testing::install_fake_native(window);
  std::array<mppi::MetaControl, synth::kNbrParams> meta;
  int last_touched = -1;
  synth::GuiContext ctx;
  synth::GuiMisc misc;
  synth::GuiOsc osc1{synth::GuiOsc::kVco1Frame};
  synth::GuiOsc osc2{synth::GuiOsc::kVco2Frame};
  synth::GuiSnhLfo snh_lfo;
  synth::GuiMix mix;
  synth::GuiEnv env;
  synth::GuiKeyboard keyboard;
  synth::GuiEdit edit;
  bool built_all = true;
};

}  // namespace panel_test
