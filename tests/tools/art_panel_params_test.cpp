// The panel layout against the synth's real parameter table: every one of
// the 62 parameters has exactly one control, two-state choices get a
// selector or switch showing the parameter's own labels, continuous ones a
// knob or fader.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "synth/plugin/zindle_dsp.h"
#include "tools/artgen/panel_layout_table.h"

namespace {

std::string text_of(const mppi::NormalizedParamInterface& p, double value) {
  char buf[64] = {};
  p.conv_val_to_str(buf, sizeof buf, value);
  return buf;
}

}  // namespace

TEST(ArtPanelParameters, EveryParameterHasOneFittingControl) {
  synth::ZindleDsp dsp;
  dsp.init();
  ASSERT_EQ(dsp.get_nbr_param(), 62);

  std::map<std::string, const art::PanelItem*> controls;
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& it = art::kPanelItems[i];
    const bool control = it.kind == art::PanelItemKind::knob || it.kind == art::PanelItemKind::fader ||
                         it.kind == art::PanelItemKind::selector || it.kind == art::PanelItemKind::switch_;
    if (!control || std::string(it.part) == "GuiPresets") continue;
    EXPECT_TRUE(controls.emplace(it.name, &it).second) << it.name;
  }

  for (int index = 0; index < dsp.get_nbr_param(); ++index) {
    const mppi::NormalizedParamInterface& p = *dsp.get_param(index);
    char name[64] = {};
    p.get_name(name, sizeof name);
    auto found = controls.find(name);
    ASSERT_NE(found, controls.end()) << "no control for " << name;
    const art::PanelItem& it = *found->second;
    controls.erase(found);
    if (p.is_discrete()) {
      ASSERT_TRUE(it.kind == art::PanelItemKind::selector || it.kind == art::PanelItemKind::switch_) << name;
      if (it.kind == art::PanelItemKind::switch_) {
        // The lamp lights on the value labelled "On".
        EXPECT_EQ(text_of(p, it.lit), "On") << name;
        EXPECT_EQ(text_of(p, 1 - it.lit), "Off") << name;
      }
    } else {
      EXPECT_TRUE(it.kind == art::PanelItemKind::knob || it.kind == art::PanelItemKind::fader) << name;
    }
  }
  for (const auto& [name, item] : controls) ADD_FAILURE() << "control for no parameter: " << name;
}
