#include <gtest/gtest.h>

#include "panel_rig.h"

namespace panel_test {
namespace {

// Lamp changes seen over one second of idles every 25 ms.
int blinks_in_a_second(PanelRig& r) {
  int changes = 0;
  bool lit = r.snh_lfo.beat_lamp()->is_lit();
  for (int k = 0; k < 40; ++k) {
    r.rig.clock += 0.025;
    r.idle();
    changes += r.snh_lfo.beat_lamp()->is_lit() != lit;
    lit = r.snh_lfo.beat_lamp()->is_lit();
  }
  return changes;
}

TEST(PanelBeatLamp, BlinksAtTheRateSetAndStaysLitWhenTooFast) {
  PanelRig r;
  ASSERT_NE(r.snh_lfo.beat_lamp(), nullptr);
  const int rate = synth::index(synth::ParamId::kLfoFreq);
  struct Case {
    double hertz;
    int changes;
  };
  for (const Case& c : {Case{2.0, 4}, Case{0.5, 1}, Case{4.0, 8}, Case{15.0, 0}}) {
    SCOPED_TRACE(c.hertz);
    mppi::NormalizedParamInterface* p = r.rig.dsp.get_param(rate);
    ASSERT_TRUE(r.rig.core.set_param(rate, p->conv_val_to_nrm(c.hertz), 100));
    ASSERT_NEAR(p->get_val(), c.hertz, 1e-3);
    // Away from the edges of the half periods, which fall on whole tenths.
    r.rig.clock = 200.01;
    r.idle();
    EXPECT_EQ(blinks_in_a_second(r), c.changes);
  }
  EXPECT_TRUE(r.snh_lfo.beat_lamp()->is_lit());
}

}  // namespace
}  // namespace panel_test
