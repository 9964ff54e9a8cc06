#include "framework/midi_devices/vst2_midi_dev_sel_comp.h"

#include "framework/midi_devices/midi_dev_link_interface.h"

namespace mppi {

Vst2MidiDevSelComp::Vst2MidiDevSelComp()
    : input_names_{kInputName}, output_names_{kOutputName} {}

Vst2MidiDevSelComp::~Vst2MidiDevSelComp() {
  input_.close();
  output_.close();
}

int Vst2MidiDevSelComp::select_input(int index, MidiDevLinkInterface& link) {
  if (input_selected_) {
    input_.close();
    input_.detach();
    input_selected_ = false;
  }
  if (index != 0) return 0;
  input_.set_link(&link);
  input_.attach(link.get_midi_receiver());
  input_.open();
  input_selected_ = true;
  return 0;
}

MidiInCcMixin* Vst2MidiDevSelComp::get_input() { return input_selected_ ? &input_ : nullptr; }

int Vst2MidiDevSelComp::select_output(int index) {
  if (output_selected_) {
    output_.close();
    output_selected_ = false;
  }
  if (index != 0) return 0;
  output_.open();
  output_selected_ = true;
  return 0;
}

MidiOut4BPacketMixin* Vst2MidiDevSelComp::get_output() {
  return output_selected_ ? &output_ : nullptr;
}

}  // namespace mppi
