#include <gtest/gtest.h>

#include <cstring>

#include "panel_rig.h"

namespace panel_test {
namespace {

// The artwork with one name missing.
class ResourcesWithout : public synth::GuiResources {
public:
  explicit ResourcesWithout(const char* missing) : missing_(missing) {}
  const pengui::Image* image(const char* name) const override {
    return std::strcmp(name, missing_) == 0 ? nullptr : art_resources().image(name);
  }
  const pengui::FontSet* font(const char* name) const override {
    return std::strcmp(name, missing_) == 0 ? nullptr : art_resources().font(name);
  }

private:
  const char* missing_;
};

struct MissingCase {
  const char* missing;
  bool mix_builds;   // knobs, faders, selectors
  bool osc2_builds;  // also a switch with its lamp
  bool edit_builds;  // the read-out's font
};

TEST(PanelBuild, ASectionWithoutItsPicturesOrFontSaysSo) {
  const MissingCase cases[] = {
      {"nothing", true, true, true},
      {"kn_36", false, false, true},
      {"kn_36_spn", false, false, true},
      {"fd_18", false, true, true},
      {"pb_91_1", false, false, true},
      {"tl_02_1", true, false, true},
      {"fd_27_p", true, true, true},  // the held cap is optional
      {"font_02", true, true, false},
  };
  for (const MissingCase& c : cases) {
    SCOPED_TRACE(c.missing);
    PanelRig r;
    ResourcesWithout resources(c.missing);
    std::array<mppi::MetaControl, synth::kNbrParams> meta;
    pengui::Window window(900, 446);
    synth::GuiContext ctx = r.ctx;
    ctx.window = &window;
    ctx.resources = &resources;
    ctx.meta = &meta;
    synth::GuiMix mix;
    synth::GuiOsc osc2(synth::GuiOsc::kVco2Frame);
    synth::GuiEdit edit;
    EXPECT_EQ(mix.build(ctx), c.mix_builds);
    EXPECT_EQ(osc2.build(ctx), c.osc2_builds);
    EXPECT_EQ(edit.build(ctx), c.edit_builds);
  }
}

TEST(PanelBuild, AParameterIsBoundOnceAndAContextWithoutItsPartsBuildsNothing) {
  PanelRig r;
  // The rig's panel holds every parameter already: a second mixer finds
  // its parameters taken.
  synth::GuiMix second;
  EXPECT_FALSE(second.build(r.ctx));
  EXPECT_EQ(second.controls().size(), 0);

  synth::GuiContext no_window = r.ctx;
  no_window.window = nullptr;
  std::array<mppi::MetaControl, synth::kNbrParams> meta;
  no_window.meta = &meta;
  synth::GuiEnv env;
  EXPECT_FALSE(env.build(no_window));
  synth::GuiKeyboard keyboard;
  EXPECT_FALSE(keyboard.build(no_window));
  synth::GuiEdit edit;
  EXPECT_FALSE(edit.build(no_window));
  for (const mppi::MetaControl& m : meta) EXPECT_FALSE(m.is_bound());
}

}  // namespace
}  // namespace panel_test
