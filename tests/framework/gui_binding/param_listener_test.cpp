#include <gtest/gtest.h>

#include "framework/core/plugin_core_fixture.h"
#include "framework/gui_binding/param_listener.h"
#include "support/editor_core_host.h"
#include "support/synth_params.h"

namespace {

using namespace zindle_test::synth_param;

// The editor's host interface over the core, counting what is sent.
class CoreHostGui : public zindle_test::EditorCoreHost {
public:
  using EditorCoreHost::EditorCoreHost;
  bool set_param_and_notify(int p, float v, int s) override {
    ++sends;
    return EditorCoreHost::set_param_and_notify(p, v, s);
  }
  int sends = 0;
};

constexpr int kReso = zindle_test::synth_param::kVcfReso;

struct ListenerRig {
  ListenerRig() : host_gui(rig.core) {
    listener.set_host_gui(&host_gui);
    listener.attach_param(kReso, rig.dsp.get_param(kReso));
    meta.bind(&knob, &listener);
  }
  zindle_test::CoreRig<> rig;
  CoreHostGui host_gui;
  mppi::NumParamListener listener;
  pengui::ControlInterface knob;
  mppi::MetaControl meta;
};

}  // namespace

// A plain edit reaching the parameter and the host is checked by the
// editor's drag tests; here the arbitration the listener takes part in.
TEST(ParamListener, AutomationHoldsOffADragAndRefreshDoesNotSend) {
  ListenerRig r;
  EXPECT_FALSE(r.knob.attach(&r.listener));  // bound once
  ASSERT_TRUE(r.rig.core.set_param(kReso, 0.25f, 100));  // host automation
  r.rig.clock += 0.2;
  EXPECT_FALSE(r.knob.set_and_send(0.9, 50));  // the drag step is refused
  EXPECT_FLOAT_EQ(r.rig.dsp.get_param(kReso)->nrm(), 0.25f);
  EXPECT_TRUE(r.knob.set_and_send(0.9, 200));  // a click wins

  // A value from elsewhere is shown without being sent back, once the
  // user's hold has passed.
  const int sends = r.host_gui.sends;
  r.rig.core.set_param(kReso, 0.4f, 255);
  r.rig.clock += 0.6;
  r.listener.refresh();
  EXPECT_EQ(r.host_gui.sends, sends);
  EXPECT_FLOAT_EQ(static_cast<float>(r.knob.get_value()), 0.4f);
}
