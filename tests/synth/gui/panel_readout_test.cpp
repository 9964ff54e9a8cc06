#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "panel_rig.h"
#include "synth/params/param_table.h"

namespace panel_test {
namespace {

using synth::ParamId;

pengui::Point centre_of(const pengui::Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

const pengui::Widget& widget_of(PanelRig& r, ParamId id) {
  for (const synth::PanelSection* section : r.param_sections()) {
    if (const pengui::Widget* w = section->controls().widget_of(synth::index(id))) return *w;
  }
  throw std::logic_error("no control");
}

// A value from the host's side, at the host's priority.
void automate(PanelRig& r, ParamId id, double natural) {
  const int i = synth::index(id);
  const float nrm = r.rig.dsp.get_param(i)->conv_val_to_nrm(natural);
  ASSERT_TRUE(r.rig.core.set_param(i, nrm, 100));
  r.rig.clock += 1.0;  // the automation's hold has passed
}

std::vector<GuiCall> sets(const PanelRig& r) {
  std::vector<GuiCall> out;
  for (const GuiCall& c : r.host_gui.calls) {
    if (c.kind == GuiCall::Set) out.push_back(c);
  }
  return out;
}

TEST(PanelReadout, HoverShowsTheNameAndDisplayTextAndFollowsTheValue) {
  PanelRig r;
  automate(r, ParamId::kVcfFreq, 1000.0);
  r.move(centre_of(widget_of(r, ParamId::kVcfFreq).bounds()));
  EXPECT_EQ(r.edit.shown_param(), synth::index(ParamId::kVcfFreq));
  EXPECT_EQ(r.edit.name_text(), "VCF Freq");
  EXPECT_EQ(r.edit.value_text(), "1000.0 Hz");

  // Automation while shown: the next idle writes the new value.
  automate(r, ParamId::kVcfFreq, 250.0);
  r.idle();
  EXPECT_EQ(r.edit.value_text(), "250.0 Hz");

  // Another control under the pointer takes the read-out over.
  r.move(centre_of(widget_of(r, ParamId::kVco1TuneF).bounds()));
  EXPECT_EQ(r.edit.name_text(), "VCO1 TuneF");
  EXPECT_EQ(r.edit.value_text(), "0.0 Cnt");
  r.move(centre_of(widget_of(r, ParamId::kNoiseType).bounds()));
  EXPECT_EQ(r.edit.name_text(), "Noise Type");
  EXPECT_EQ(r.edit.value_text(), "Pink");
  // The pointer leaving every control keeps the last one, for typing.
  r.move({450, 200});
  EXPECT_EQ(r.edit.name_text(), "Noise Type");
}

struct TypedCase {
  ParamId id;
  const char* typed;
  double natural;       // expected afterwards
  const char* shown;    // the value line afterwards
  bool accepted;
  pengui::Key ends_with = pengui::Key::enter;
};

TEST(PanelReadout, TypedEntryConvertsWithTheParametersOwnText) {
  const TypedCase cases[] = {
      {ParamId::kVcfReso, "25", 0.25, "25.00 %", true},
      {ParamId::kVcfFreq, "440 Hz", 440.0, "440.0 Hz", true},
      {ParamId::kVco1TuneC, "-12", -12.0, "-12.00 ST", true},
      {ParamId::kVcfReso, "abc", 0.0, "0.00 %", false},
      {ParamId::kVcfFreq, "", 16000.0, "16000.0 Hz", false},
      {ParamId::kVcfReso, "75", 0.0, "0.00 %", false, pengui::Key::escape},
  };
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(c.typed);
    PanelRig r;
    const int i = synth::index(c.id);
    const float before = r.nrm(i);
    r.move(centre_of(widget_of(r, c.id).bounds()));
    r.move({450, 200});
    // A double-click selects the whole value; the typed text replaces it.
    r.press(centre_of(r.edit.value_edit().bounds()), 0, 2);
    r.release(centre_of(r.edit.value_edit().bounds()));
    ASSERT_TRUE(r.edit.value_edit().is_editing());
    if (*c.typed) {
      r.type(c.typed);
    } else {
      r.key(pengui::Key::del);
    }
    r.key(c.ends_with);
    EXPECT_FALSE(r.edit.value_edit().is_editing());
    EXPECT_EQ(r.edit.value_text(), c.shown);
    EXPECT_NEAR(r.rig.dsp.get_param(i)->get_val(), c.natural, 1e-3 * std::max(1.0, std::abs(c.natural)));
    const std::vector<GuiCall> sent = sets(r);
    if (c.accepted) {
      ASSERT_EQ(sent.size(), 1u);
      EXPECT_EQ(sent[0].param, i);
      EXPECT_EQ(sent[0].source, 200);
      EXPECT_EQ(r.last_touched, i);
      // The control shows the typed value too.
      EXPECT_FLOAT_EQ(static_cast<float>(r.meta[static_cast<size_t>(i)].control()->get_value()), r.nrm(i));
    } else {
      EXPECT_TRUE(sent.empty());
      EXPECT_EQ(r.nrm(i), before);
    }
  }
}

struct ResetCase {
  ParamId id;
  double moved_to;  // natural value before the reset
  unsigned modifiers;
  int clicks;
  float expected_nrm;
};

TEST(PanelReadout, DoubleClickOrControlClickRestoresTheDefault) {
  const ResetCase cases[] = {
      {ParamId::kVco1TuneC, 7.0, 0, 2, 0.5f},                    // 0 semitones, in the middle
      {ParamId::kVcfFreq, 500.0, pengui::kModControl, 1, 1.0f},  // 16 kHz, the top
      {ParamId::kMix2Lvl, 0.0, pengui::kModControl, 1, 1.0f},    // full level
      {ParamId::kAdsrAtkTime, 2.0, 0, 2, 0.0f},                  // 5 ms, the shortest
  };
  for (const ResetCase& c : cases) {
    SCOPED_TRACE(synth::param_row(c.id).name);
    PanelRig r;
    const int i = synth::index(c.id);
    automate(r, c.id, c.moved_to);
    r.meta[static_cast<size_t>(i)].control()->set_no_send(r.nrm(i), 100);
    ASSERT_NE(r.nrm(i), c.expected_nrm);
    r.host_gui.calls.clear();
    const pengui::Point at = centre_of(widget_of(r, c.id).bounds());
    r.press(at, c.modifiers, c.clicks);
    r.release(at);
    EXPECT_NEAR(r.nrm(i), c.expected_nrm, 1e-6);
    EXPECT_NEAR(r.meta[static_cast<size_t>(i)].control()->get_value(), c.expected_nrm, 1e-6);
    const std::vector<GuiCall> sent = sets(r);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].source, 200);
    EXPECT_EQ(r.last_touched, i);
  }
}

// What the editor does with a change from the host: the no-send path.
TEST(PanelReadout, HostChangesMoveTheControlsWithoutEcho) {
  PanelRig r;
  const int cutoff = synth::index(ParamId::kVcfFreq);
  const int attack = synth::index(ParamId::kAdsrAtkTime);
  const int sync = synth::index(ParamId::kVco2Sync);
  const int key_trig = synth::index(ParamId::kLfoKeyTrig);
  r.rig.host.take();
  const synth::PanelLamp* sync_lamp = r.osc2.controls().lamp_of(sync);
  const synth::PanelLamp* key_trig_lamp = r.snh_lfo.controls().lamp_of(key_trig);
  ASSERT_TRUE(sync_lamp && key_trig_lamp);
  EXPECT_FALSE(sync_lamp->is_lit());
  EXPECT_TRUE(key_trig_lamp->is_lit());
  struct Change {
    int index;
    float value;
  };
  for (const Change& c : {Change{cutoff, 0.25f}, Change{attack, 0.75f}, Change{sync, 1.0f}, Change{key_trig, 1.0f}}) {
    ASSERT_TRUE(r.rig.core.set_param(c.index, c.value, 100));
    ASSERT_TRUE(r.meta[static_cast<size_t>(c.index)].control()->set_no_send(c.value, 100));
  }
  r.idle();
  EXPECT_TRUE(r.host_gui.calls.empty());
  EXPECT_EQ(r.rig.host.count(zindle_test::HostEvent::Automate), 0);
  EXPECT_EQ(r.rig.host.count(zindle_test::HostEvent::Begin), 0);

  const auto& knob = dynamic_cast<const pengui::Knob&>(widget_of(r, ParamId::kVcfFreq));
  EXPECT_EQ(knob.pointer_frame(), 16);  // 0.25 of 63 frames, rounded
  const auto& fader = dynamic_cast<const pengui::Fader&>(widget_of(r, ParamId::kAdsrAtkTime));
  EXPECT_EQ(fader.cap_rect(fader.get_value()).y, widget_of(r, ParamId::kAdsrAtkTime).bounds().y + 14);
  // Sync lights its lamp when on; key trigger's lamp is lit at "On", value 0.
  EXPECT_TRUE(dynamic_cast<const pengui::FlipFlop&>(widget_of(r, ParamId::kVco2Sync)).is_on());
  EXPECT_TRUE(sync_lamp->is_lit());
  EXPECT_FALSE(key_trig_lamp->is_lit());
}

}  // namespace
}  // namespace panel_test
