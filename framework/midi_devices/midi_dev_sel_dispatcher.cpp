#include "framework/midi_devices/midi_dev_sel_dispatcher.h"

#include "basic/conf_key_multi.h"
#include "framework/midi_devices/midi_dev_link_interface.h"
#include "framework/midi_devices/midi_dev_sel_comp_interface.h"
#include "framework/midi_devices/midi_in_cc_mixin.h"
#include "framework/midi_devices/midi_out_4b_packet_mixin.h"

namespace mppi {

namespace {

// The section `name` of `parent`, made when missing.
basic::ConfKeyMulti& use_section(basic::ConfKeyMulti& parent, const std::string& name) {
  return dynamic_cast<basic::ConfKeyMulti&>(parent.use_key(name));
}

}  // namespace

MidiDevSelDispatcher::MidiDevSelDispatcher(MidiDevLinkInterface& link) : link_(link) {}

MidiDevSelDispatcher::~MidiDevSelDispatcher() { stop(); }

void MidiDevSelDispatcher::add_family(MidiDevSelCompInterface& family) {
  families_.push_back(&family);
  rebuild_lists();
}

void MidiDevSelDispatcher::rebuild_lists() {
  inputs_.clear();
  outputs_.clear();
  for (MidiDevSelCompInterface* family : families_) {
    const std::vector<std::string>& in_names = family->get_input_names();
    for (size_t i = 0; i < in_names.size(); ++i) inputs_.push_back({in_names[i], family, static_cast<int>(i)});
    const std::vector<std::string>& out_names = family->get_output_names();
    for (size_t i = 0; i < out_names.size(); ++i) outputs_.push_back({out_names[i], family, static_cast<int>(i)});
  }
}

int MidiDevSelDispatcher::update_lists() {
  const std::string in_name = get_input_name(selected_in_);
  const std::string out_name = get_output_name(selected_out_);
  int rc = 0;
  for (MidiDevSelCompInterface* family : families_) {
    const int family_rc = family->update_lists();
    if (rc == 0) rc = family_rc;
  }
  rebuild_lists();
  if (selected_in_ >= 0) {
    selected_in_ = find_input(in_name);
    if (selected_in_ < 0 || inputs_[static_cast<size_t>(selected_in_)].family != in_family_) release_input();
  }
  if (selected_out_ >= 0) {
    selected_out_ = find_output(out_name);
    if (selected_out_ < 0 || outputs_[static_cast<size_t>(selected_out_)].family != out_family_) release_output();
  }
  return rc;
}

void MidiDevSelDispatcher::stop() {
  release_input();
  release_output();
}

std::string MidiDevSelDispatcher::get_input_name(int index) const {
  if (index < 0 || index >= get_nbr_inputs()) return {};
  return inputs_[static_cast<size_t>(index)].name;
}

std::string MidiDevSelDispatcher::get_output_name(int index) const {
  if (index < 0 || index >= get_nbr_outputs()) return {};
  return outputs_[static_cast<size_t>(index)].name;
}

int MidiDevSelDispatcher::find_input(const std::string& name) const {
  for (size_t i = 0; i < inputs_.size(); ++i) {
    if (inputs_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int MidiDevSelDispatcher::find_output(const std::string& name) const {
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (outputs_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void MidiDevSelDispatcher::release_input() {
  input_.take();
  if (in_family_ != nullptr) in_family_->select_input(-1, link_);
  in_family_ = nullptr;
  selected_in_ = -1;
}

void MidiDevSelDispatcher::release_output() {
  output_.take();
  if (out_family_ != nullptr) out_family_->select_output(-1);
  out_family_ = nullptr;
  selected_out_ = -1;
}

int MidiDevSelDispatcher::select_input(int index) {
  release_input();
  if (index < 0 || index >= get_nbr_inputs()) return 0;
  const Entry& entry = inputs_[static_cast<size_t>(index)];
  if (entry.family->select_input(entry.local_index, link_) != 0) return -1;
  MidiInCcMixin* input = entry.family->get_input();
  if (input == nullptr) return -1;
  input->set_nrpn_numbering(numbering_);
  in_family_ = entry.family;
  selected_in_ = index;
  input_.put(input);
  return 0;
}

int MidiDevSelDispatcher::select_output(int index) {
  release_output();
  if (index < 0 || index >= get_nbr_outputs()) return 0;
  const Entry& entry = outputs_[static_cast<size_t>(index)];
  if (entry.family->select_output(entry.local_index) != 0) return -1;
  MidiOut4BPacketMixin* output = entry.family->get_output();
  if (output == nullptr) return -1;
  output->set_nrpn_numbering(numbering_);
  out_family_ = entry.family;
  selected_out_ = index;
  output_.put(output);
  return 0;
}

void MidiDevSelDispatcher::set_nrpn_numbering(NrpnNumbering numbering) {
  numbering_ = numbering;
  if (MidiInCcMixin* input = input_.get()) input->set_nrpn_numbering(numbering);
  if (MidiOut4BPacketMixin* output = output_.get()) output->set_nrpn_numbering(numbering);
}

int MidiDevSelDispatcher::poll() {
  return input_.use([](MidiInCcMixin& input) { return input.poll(); }, 0);
}

// --- Settings -----------------------------------------------------------------

int MidiDevSelDispatcher::write_settings(basic::ConfKeyMulti& section) const {
  const std::string in_name = selected_in_ >= 0 ? get_input_name(selected_in_) : kNone;
  section.set_string(std::string(kKeyIn) + "/" + kKeyName, in_name);
  if (MidiInCcMixin* input = input_.get()) {
    const int rc = input->write_settings(use_section(section, kKeyIn));
    if (rc != 0) return rc;
  }
  const std::string out_name = selected_out_ >= 0 ? get_output_name(selected_out_) : kNone;
  section.set_string(std::string(kKeyOut) + "/" + kKeyName, out_name);
  if (MidiOut4BPacketMixin* output = output_.get()) return output->write_settings(use_section(section, kKeyOut));
  return 0;
}

int MidiDevSelDispatcher::read_settings(const basic::ConfKeyMulti& section) {
  const auto* in_key = dynamic_cast<const basic::ConfKeyMulti*>(section.get_key(kKeyIn));
  const auto* out_key = dynamic_cast<const basic::ConfKeyMulti*>(section.get_key(kKeyOut));
  const std::string in_name = in_key != nullptr ? in_key->get_string(kKeyName) : kNone;
  const std::string out_name = out_key != nullptr ? out_key->get_string(kKeyName) : kNone;
  // A new selection is made from fresh lists: ports come and go.
  if ((in_name != kNone && in_name != get_input_name(selected_in_)) ||
      (out_name != kNone && out_name != get_output_name(selected_out_))) {
    update_lists();
  }
  if (in_key != nullptr) {
    const int index = in_name == kNone ? -1 : find_input(in_name);
    if (in_name == kNone || (index >= 0 && index != selected_in_)) select_input(index);
    if (MidiInCcMixin* input = input_.get()) {
      const int rc = input->read_settings(*in_key);
      if (rc != 0) return rc;
    }
  }
  if (out_key != nullptr) {
    const int index = out_name == kNone ? -1 : find_output(out_name);
    if (out_name == kNone || (index >= 0 && index != selected_out_)) select_output(index);
    if (MidiOut4BPacketMixin* output = output_.get()) return output->read_settings(*out_key);
  }
  return 0;
}

// --- Output forwarding -------------------------------------------------------------

int32_t MidiDevSelDispatcher::OutputReceiver::set_time_stamp(long offset) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.set_time_stamp(offset); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::note_on(int ch, int note, float pitch, float value,
                                                      float velocity, int flag) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.note_on(ch, note, pitch, value, velocity, flag); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::note_off(int ch, int note, float velocity) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.note_off(ch, note, velocity); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::key_pressure(int ch, int note, float pressure) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.key_pressure(ch, note, pressure); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::pitch_bend(int ch, float bend) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.pitch_bend(ch, bend); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::program_change(int ch, int program) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.program_change(ch, program); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::rpn(int ch, int number, int value) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.rpn(ch, number, value); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::nrpn(int ch, int number, int value) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.nrpn(ch, number, value); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::control_change(int ch, int controller, int value) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.control_change(ch, controller, value); }, -1);
}
int32_t MidiDevSelDispatcher::OutputReceiver::channel_message(int ch, int status, int data1, int data2) {
  return slot_.use([&](MidiOut4BPacketMixin& out) { return out.channel_message(ch, status, data1, data2); }, -1);
}

}  // namespace mppi
