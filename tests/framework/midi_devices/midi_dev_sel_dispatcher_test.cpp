#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "basic/conf_key_multi.h"
#include "framework/midi_devices/midi_dev_sel_comp_interface.h"
#include "framework/midi_devices/midi_dev_sel_dispatcher.h"
#include "framework/midi_devices/vst2_midi_dev_sel_comp.h"
#include "midi_dev_test_support.h"

using midi_test::MidiCall;
using midi_test::RecordingLink;
using midi_test::RecordingOut;
using midi_test::TestMidiIn;
using mppi::MidiDevSelDispatcher;
using mppi::Vst2MidiDevSelComp;

namespace {

// A family of fake ports; each device logs "open <name>" and "close <name>".
// The lists show the ports the system has as of the last update_lists().
class FakeFamily : public mppi::MidiDevSelCompInterface {
public:
  FakeFamily(std::vector<std::string> in, std::vector<std::string> out, std::vector<std::string>* log)
      : in_names(in), out_names(out), system_in(std::move(in)), system_out(std::move(out)), log_(log) {}

  int update_lists() override {
    ++nbr_updates;
    in_names = system_in;
    out_names = system_out;
    return 0;
  }
  const std::vector<std::string>& get_input_names() const override { return in_names; }
  const std::vector<std::string>& get_output_names() const override { return out_names; }

  int select_input(int index, mppi::MidiDevLinkInterface& link) override {
    const int rc = reopen(input_, in_name_, in_names, index);
    if (input_ == nullptr && rc == 1) input_ = std::make_unique<TestMidiIn>(link.get_midi_receiver());
    return rc < 0 ? -1 : 0;
  }
  mppi::MidiInCcMixin* get_input() override { return input_.get(); }
  int select_output(int index) override {
    if (reopen(output_, out_name_, out_names, index) == 1) output_ = std::make_unique<RecordingOut>();
    return 0;
  }
  mppi::MidiOut4BPacketMixin* get_output() override { return output_.get(); }
  RecordingOut* recording_output() { return output_.get(); }
  TestMidiIn* test_input() { return input_.get(); }

  std::vector<std::string> in_names;
  std::vector<std::string> out_names;
  std::vector<std::string> system_in;
  std::vector<std::string> system_out;
  int nbr_updates = 0;
  std::string failing;

private:
  // Closes the open device; 1 when the one at `index` is to be opened.
  template <typename Device>
  int reopen(std::unique_ptr<Device>& device, std::string& name, const std::vector<std::string>& names, int index) {
    if (device) log_->push_back("close " + name);
    device.reset();
    if (index < 0 || index >= static_cast<int>(names.size())) return 0;
    if (names[static_cast<size_t>(index)] == failing) return -1;
    name = names[static_cast<size_t>(index)];
    log_->push_back("open " + name);
    return 1;
  }
  std::vector<std::string>* log_;
  std::unique_ptr<TestMidiIn> input_;
  std::unique_ptr<RecordingOut> output_;
  std::string in_name_;
  std::string out_name_;
};

struct DispatcherRig {
  DispatcherRig() : ports({"Keys", "Pads"}, {"Synth Out"}, &log), dispatcher(link) {
    dispatcher.add_family(vst);
    dispatcher.add_family(ports);
  }
  ~DispatcherRig() { dispatcher.stop(); }
  std::vector<std::string> log;
  RecordingLink link;
  Vst2MidiDevSelComp vst;
  FakeFamily ports;
  MidiDevSelDispatcher dispatcher;
};

}  // namespace

// The combined lists put the host first.
TEST(MidiDevSelDispatcher, SelectionClosesTheOldDeviceFirstAcrossFamilies) {
  DispatcherRig rig;
  ASSERT_EQ(rig.dispatcher.get_nbr_inputs(), 3);
  EXPECT_EQ(rig.dispatcher.get_input_name(2), "Pads");
  EXPECT_EQ(rig.dispatcher.get_output_name(1), "Synth Out");
  struct Step {
    int index;
    int rc;
    int selected;
    bool vst_active;
    std::vector<std::string> log;
  };
  const std::vector<Step> steps = {
      {0, 0, 0, true, {}},
      {2, 0, 2, false, {"open Pads"}},
      {1, 0, 1, false, {"open Pads", "close Pads", "open Keys"}},
      {3, 0, -1, false, {"open Pads", "close Pads", "open Keys", "close Keys"}},  // beyond the list
      {0, 0, 0, true, {"open Pads", "close Pads", "open Keys", "close Keys"}},
      {1, -1, -1, false, {"open Pads", "close Pads", "open Keys", "close Keys"}},  // a failed open selects nothing
      {-1, 0, -1, false, {"open Pads", "close Pads", "open Keys", "close Keys"}},
  };
  for (const Step& s : steps) {
    if (s.rc < 0) rig.ports.failing = "Keys";
    EXPECT_EQ(rig.dispatcher.select_input(s.index), s.rc) << s.index;
    EXPECT_EQ(rig.dispatcher.get_selected_input(), s.selected) << s.index;
    EXPECT_EQ(rig.vst.use_input().is_active() != 0, s.vst_active) << s.index;
    EXPECT_EQ(rig.log, s.log) << s.index;
    EXPECT_EQ(rig.dispatcher.get_input() == nullptr, s.selected < 0) << s.index;
  }
}

TEST(MidiDevSelDispatcher, AudioSideReachesOnlyTheSelectedDevices) {
  DispatcherRig rig;
  mppi::MidiReceiverInterface& out = rig.dispatcher.use_output();
  EXPECT_EQ(out.channel_message(0, 11, 7, 1), -1);  // no output selected

  ASSERT_EQ(rig.dispatcher.select_output(1), 0);
  rig.dispatcher.set_nrpn_numbering(mppi::NrpnNumbering::swapped);
  ASSERT_EQ(out.nrpn(0, 129, 0), 0);
  EXPECT_EQ(rig.ports.recording_output()->packets,
            (std::vector<midi_test::Packet>{{0xB0, 98, 1}, {0xB0, 99, 1}, {0xB0, 6, 0}, {0xB0, 38, 0}}));

  // The input only hears the numbering when selected later, too.
  ASSERT_EQ(rig.dispatcher.select_input(1), 0);
  EXPECT_EQ(rig.ports.test_input()->get_nrpn_numbering(), mppi::NrpnNumbering::swapped);
  EXPECT_EQ(rig.ports.test_input()->get_receiver(), &rig.link.receiver);
}

TEST(MidiDevSelDispatcher, SettingsKeepTheChoiceAndTheInputState) {
  basic::ConfKeyMulti section("root");
  {
    DispatcherRig rig;
    ASSERT_EQ(rig.dispatcher.select_input(0), 0);
    rig.vst.use_input().set_bend_range(12.0f);
    ASSERT_EQ(rig.dispatcher.write_settings(section), 0);
  }
  DispatcherRig rig;
  ASSERT_EQ(rig.dispatcher.read_settings(section), 0);
  EXPECT_EQ(rig.dispatcher.get_selected_input(), 0);
  rig.dispatcher.poll();  // the audio side takes the loaded channel states
  EXPECT_DOUBLE_EQ(rig.vst.use_input().get_bend_range(), 12.0);
}

// The system is asked for its ports only when they are wanted: by the
// menu's update_lists(), or by stored settings that name another device
// than the selected one. A stored port still opens when the settings load.
TEST(MidiDevSelDispatcher, SystemPortsAreListedOnlyWhenWanted) {
  std::vector<std::string> log;
  RecordingLink link;
  Vst2MidiDevSelComp vst;
  FakeFamily ports({}, {}, &log);  // nothing listed yet
  ports.system_in = {"Keys", "Pads"};
  ports.system_out = {"Synth Out"};
  MidiDevSelDispatcher dispatcher(link);
  dispatcher.add_family(vst);
  dispatcher.add_family(ports);
  ASSERT_EQ(dispatcher.select_input(0), 0);  // the host's devices, as the adapter prepares them
  ASSERT_EQ(dispatcher.select_output(0), 0);
  // Stored names, the system listings so far and the selection afterwards;
  // a device that is not there any more leaves the current choice alone.
  const struct {
    const char *in, *out;
    int updates;
    const char *selected_in, *selected_out;
  } steps[] = {
      {"VST MIDI In interface", "none", 0, "VST MIDI In interface", ""},
      {"Pads", "none", 1, "Pads", ""},
      {"Pads", "Synth Out", 2, "Pads", "Synth Out"},
      {"Pads", "Synth Out", 2, "Pads", "Synth Out"},
      {"Unplugged", "none", 3, "Pads", ""},
      {"none", "none", 3, "", ""},
  };
  for (const auto& s : steps) {
    basic::ConfKeyMulti section("root");
    section.set_string("port_in/name", s.in);
    section.set_string("port_out/name", s.out);
    ASSERT_EQ(dispatcher.read_settings(section), 0) << s.in << " / " << s.out;
    EXPECT_EQ(ports.nbr_updates, s.updates) << s.in << " / " << s.out;
    EXPECT_EQ(dispatcher.get_input_name(dispatcher.get_selected_input()), s.selected_in) << s.in;
    EXPECT_EQ(dispatcher.get_output_name(dispatcher.get_selected_output()), s.selected_out) << s.out;
  }
  EXPECT_EQ(log, (std::vector<std::string>{"open Pads", "open Synth Out", "close Synth Out", "close Pads"}));

  // The setup menu asks before it shows the lists.
  ports.system_in.push_back("Drums");
  ASSERT_EQ(static_cast<mppi::MidiDevSelectorInterface&>(dispatcher).update_lists(), 0);
  EXPECT_EQ(dispatcher.get_input_name(3), "Drums");
  dispatcher.stop();
}
