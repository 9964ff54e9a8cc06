#include <gtest/gtest.h>

#include "framework/core/host_gui_interface.h"
#include "framework/core/plugin_core_fixture.h"
#include "framework/gui_binding/param_listener.h"
#include "support/synth_params.h"

namespace {

using namespace zindle_test::synth_param;

// The editor's host interface, forwarding to the plug-in core.
class CoreHostGui : public mppi::HostGuiInterface {
public:
  explicit CoreHostGui(mppi::PluginCore& core) : core_(core) {}
  double get_host_num_property(const char*) override { return 0.0; }
  std::string get_host_string_property(const char*) override { return {}; }
  bool can_take_control(int p, int s) override { return core_.can_take_control(p, s); }
  bool take_control(int p, int s) override { return core_.take_control(p, s); }
  void release_control(int p, int s) override { core_.release_control(p, s); }
  bool set_param_and_notify(int p, float v, int s) override {
    ++sends;
    return core_.set_param_and_notify(p, v, s);
  }
  void apply_program(const mppi::ProgramSlot& program, int s) override { core_.apply_program(program, s, false, true); }
  void publish_bank(const mppi::BankManager& bank) override { core_.publish_bank(bank); }
  int resize_window(int, int) override { return 0; }
  void get_settings_path(std::string&) override {}
  mppi::MidiMgr* get_midi_mgr() override { return nullptr; }
  int sends = 0;

private:
  mppi::PluginCore& core_;
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
