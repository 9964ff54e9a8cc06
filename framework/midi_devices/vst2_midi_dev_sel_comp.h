#pragma once
// The host family: one input and one output that live as long as the
// plug-in; selecting them only enables them.

#include <string>
#include <vector>

#include "framework/midi_devices/midi_dev_sel_comp_interface.h"
#include "framework/midi_devices/vst2_midi_in.h"
#include "framework/midi_devices/vst2_midi_out.h"

namespace mppi {

class Vst2MidiDevSelComp : public MidiDevSelCompInterface {
public:
  static constexpr char kInputName[] = "VST MIDI In interface";
  static constexpr char kOutputName[] = "VST MIDI Out interface";

  Vst2MidiDevSelComp();
  ~Vst2MidiDevSelComp() override;
  Vst2MidiDevSelComp(const Vst2MidiDevSelComp&) = delete;
  Vst2MidiDevSelComp& operator=(const Vst2MidiDevSelComp&) = delete;

  int update_lists() override { return 0; }
  const std::vector<std::string>& get_input_names() const override { return input_names_; }
  const std::vector<std::string>& get_output_names() const override { return output_names_; }

  int select_input(int index, MidiDevLinkInterface& link) override;
  MidiInCcMixin* get_input() override;
  int select_output(int index) override;
  MidiOut4BPacketMixin* get_output() override;

  // The host adapter's way in and out: events and the flush.
  Vst2MidiIn& use_input() { return input_; }
  Vst2MidiOut& use_output() { return output_; }

private:
  std::vector<std::string> input_names_;
  std::vector<std::string> output_names_;
  Vst2MidiIn input_;
  Vst2MidiOut output_;
  bool input_selected_ = false;
  bool output_selected_ = false;
};

}  // namespace mppi
