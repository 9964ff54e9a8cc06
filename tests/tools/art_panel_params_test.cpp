// The panel layout against the synth's real parameter table: every one of
// the 62 parameters has exactly one control, choices a selector or switch,
// continuous ones a knob or fader.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "synth/plugin/zindle_dsp.h"
#include "tools/artgen/panel_layout_table.h"

TEST(ArtPanelParameters, EveryParameterHasOneFittingControl) {
  synth::ZindleDsp dsp;
  dsp.init();
  ASSERT_EQ(dsp.get_nbr_param(), 62);

  using Kind = art::PanelItemKind;
  const auto choice = [](Kind k) { return k == Kind::selector || k == Kind::switch_; };
  std::map<std::string, const art::PanelItem*> controls;
  for (int i = 0; i < art::kPanelItemCount; ++i) {
    const art::PanelItem& it = art::kPanelItems[i];
    const bool control = choice(it.kind) || it.kind == Kind::knob || it.kind == Kind::fader;
    if (!control || std::string(it.part) == "GuiPresets") continue;
    EXPECT_TRUE(controls.emplace(it.name, &it).second) << it.name;
  }

  for (int index = 0; index < dsp.get_nbr_param(); ++index) {
    const mppi::NormalizedParamInterface& p = *dsp.get_param(index);
    char name[64] = {};
    p.get_name(name, sizeof name);
    auto found = controls.find(name);
    ASSERT_NE(found, controls.end()) << "no control for " << name;
    EXPECT_EQ(choice(found->second->kind), p.is_discrete()) << name;
    controls.erase(found);
  }
  for (const auto& [name, item] : controls) ADD_FAILURE() << "control for no parameter: " << name;
}
