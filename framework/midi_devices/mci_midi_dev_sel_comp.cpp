#include "framework/midi_devices/mci_midi_dev_sel_comp.h"

#include "framework/midi_devices/midi_dev_link_interface.h"
#include "sys/midi/midi_ports.h"

namespace mppi {

MciMidiDevSelComp::MciMidiDevSelComp(const std::string& client_name) : client_name_(client_name) {}

MciMidiDevSelComp::~MciMidiDevSelComp() {
  release_input();
  release_output();
}

int MciMidiDevSelComp::update_lists() {
  const int in_rc = sys::list_midi_inputs(client_name_, input_names_);
  const int out_rc = sys::list_midi_outputs(client_name_, output_names_);
  return in_rc != 0 ? in_rc : out_rc;
}

void MciMidiDevSelComp::release_input() {
  if (input_ == nullptr) return;
  input_->close();
  input_->detach();
  input_.reset();
}

void MciMidiDevSelComp::release_output() {
  if (output_ == nullptr) return;
  output_->close();
  output_.reset();
}

int MciMidiDevSelComp::select_input(int index, MidiDevLinkInterface& link) {
  release_input();
  if (index < 0 || index >= static_cast<int>(input_names_.size())) return 0;
  auto input = std::make_unique<MciMidiIn>(index, client_name_);
  input->set_link(&link);
  input->attach(link.get_midi_receiver());
  if (input->open() != 0) return -1;
  input_ = std::move(input);
  return 0;
}

int MciMidiDevSelComp::select_output(int index) {
  release_output();
  if (index < 0 || index >= static_cast<int>(output_names_.size())) return 0;
  auto output = std::make_unique<MciMidiOut>(index, client_name_);
  if (output->open() != 0) return -1;
  output_ = std::move(output);
  return 0;
}

}  // namespace mppi
