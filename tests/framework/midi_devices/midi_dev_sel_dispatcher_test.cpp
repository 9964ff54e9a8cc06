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
class FakeFamily : public mppi::MidiDevSelCompInterface {
public:
  FakeFamily(std::vector<std::string> in, std::vector<std::string> out, std::vector<std::string>* log)
      : in_names(std::move(in)), out_names(std::move(out)), log_(log) {}

  int update_lists() override { return 0; }
  const std::vector<std::string>& get_input_names() const override { return in_names; }
  const std::vector<std::string>& get_output_names() const override { return out_names; }

  int select_input(int index, mppi::MidiDevLinkInterface& link) override {
    if (input_) log_->push_back("close " + in_name_);
    input_.reset();
    if (index < 0 || index >= static_cast<int>(in_names.size())) return 0;
    if (in_names[static_cast<size_t>(index)] == failing) return -1;
    in_name_ = in_names[static_cast<size_t>(index)];
    input_ = std::make_unique<TestMidiIn>(link.get_midi_receiver());
    log_->push_back("open " + in_name_);
    return 0;
  }
  mppi::MidiInCcMixin* get_input() override { return input_.get(); }
  int select_output(int index) override {
    if (output_) log_->push_back("close " + out_name_);
    output_.reset();
    if (index < 0 || index >= static_cast<int>(out_names.size())) return 0;
    out_name_ = out_names[static_cast<size_t>(index)];
    output_ = std::make_unique<RecordingOut>();
    log_->push_back("open " + out_name_);
    return 0;
  }
  mppi::MidiOut4BPacketMixin* get_output() override { return output_.get(); }
  RecordingOut* recording_output() { return output_.get(); }
  TestMidiIn* test_input() { return input_.get(); }

  std::vector<std::string> in_names;
  std::vector<std::string> out_names;
  std::string failing;

private:
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

TEST(MidiDevSelDispatcher, CombinedListsPutTheHostFirst) {
  DispatcherRig rig;
  ASSERT_EQ(rig.dispatcher.get_nbr_inputs(), 3);
  EXPECT_EQ(rig.dispatcher.get_input_name(0), "VST MIDI In interface");
  EXPECT_EQ(rig.dispatcher.get_input_name(2), "Pads");
  ASSERT_EQ(rig.dispatcher.get_nbr_outputs(), 2);
  EXPECT_EQ(rig.dispatcher.get_output_name(0), "VST MIDI Out interface");
  EXPECT_EQ(rig.dispatcher.get_output_name(1), "Synth Out");
  EXPECT_EQ(rig.dispatcher.get_selected_input(), -1);
}

TEST(MidiDevSelDispatcher, SelectionClosesTheOldDeviceFirstAcrossFamilies) {
  DispatcherRig rig;
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
      {-1, 0, -1, false, {"open Pads", "close Pads", "open Keys", "close Keys"}},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(rig.dispatcher.select_input(s.index), s.rc) << s.index;
    EXPECT_EQ(rig.dispatcher.get_selected_input(), s.selected) << s.index;
    EXPECT_EQ(rig.vst.use_input().is_active() != 0, s.vst_active) << s.index;
    EXPECT_EQ(rig.log, s.log) << s.index;
    EXPECT_EQ(rig.dispatcher.get_input() == nullptr, s.selected < 0) << s.index;
  }
}

TEST(MidiDevSelDispatcher, AFailedOpenIsReportedAndSelectsNothing) {
  DispatcherRig rig;
  rig.ports.failing = "Keys";
  ASSERT_EQ(rig.dispatcher.select_input(0), 0);
  EXPECT_EQ(rig.dispatcher.select_input(1), -1);
  EXPECT_EQ(rig.dispatcher.get_selected_input(), -1);
  EXPECT_EQ(rig.dispatcher.get_input(), nullptr);
  EXPECT_EQ(rig.vst.use_input().is_active(), 0);
  EXPECT_EQ(rig.dispatcher.poll(), 0);
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
  EXPECT_EQ(section.get_string("port_in/name"), "VST MIDI In interface");
  EXPECT_EQ(section.get_string("port_out/name"), "none");

  DispatcherRig rig;
  ASSERT_EQ(rig.dispatcher.select_output(1), 0);
  ASSERT_EQ(rig.dispatcher.read_settings(section), 0);
  EXPECT_EQ(rig.dispatcher.get_selected_input(), 0);
  EXPECT_EQ(rig.dispatcher.get_selected_output(), -1);  // "none"
  rig.dispatcher.poll();  // the audio side takes the loaded channel states
  EXPECT_DOUBLE_EQ(rig.vst.use_input().get_bend_range(), 12.0);

  // A device that is not there any more leaves the current choice alone.
  section.set_string("port_in/name", "Unplugged");
  ASSERT_EQ(rig.dispatcher.read_settings(section), 0);
  EXPECT_EQ(rig.dispatcher.get_selected_input(), 0);
}
