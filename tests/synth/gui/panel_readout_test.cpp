#include <gtest/gtest.h>

#include <string>

#include "panel_rig.h"
#include "synth/params/param_table.h"

namespace panel_test {
namespace {

using synth::ParamId;

std::vector<GuiCall> sets(const PanelRig& r) {
  std::vector<GuiCall> out;
  for (const GuiCall& c : r.host_gui.calls) {
    if (c.kind == GuiCall::Set) out.push_back(c);
  }
  return out;
}

struct TypedCase {
  ParamId id;
  const char* typed;
  double natural;       // expected afterwards
  const char* shown;    // the value line afterwards
  bool accepted;
  pengui::Key ends_with = pengui::Key::enter;
};

// The read-out shows the control under the pointer and keeps the last one
// for typing; typed text is converted with the parameter's own text and
// refused when it does not parse.
TEST(PanelReadout, HoverThenTypedEntryConvertsOrIsRefused) {
  const TypedCase cases[] = {
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
    ASSERT_NE(r.widget_of(i), nullptr);
    r.move(centre_of(r.widget_of(i)->bounds()));
    EXPECT_EQ(r.edit.shown_param(), i);
    EXPECT_EQ(r.edit.name_text(), synth::param_row(c.id).name);
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

}  // namespace
}  // namespace panel_test
