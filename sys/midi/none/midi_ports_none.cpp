// A build without the system's MIDI library (the 32-bit test build has no
// 32-bit ALSA): there are no system ports to list, and none opens.

#include "sys/midi/midi_ports.h"

namespace sys {

int list_midi_inputs(const std::string& /*client_name*/, std::vector<std::string>& names) {
  names.clear();
  return 0;
}

int list_midi_outputs(const std::string& /*client_name*/, std::vector<std::string>& names) {
  names.clear();
  return 0;
}

struct MidiInPort::Impl {};

MidiInPort::MidiInPort(const std::string& /*client_name*/) : impl_(nullptr) {}
MidiInPort::~MidiInPort() = default;
int MidiInPort::open(int /*index*/, Callback /*callback*/, void* /*context*/) { return -1; }
int MidiInPort::close() { return 0; }
bool MidiInPort::is_open() const { return false; }

struct MidiOutPort::Impl {};

MidiOutPort::MidiOutPort(const std::string& /*client_name*/) : impl_(nullptr) {}
MidiOutPort::~MidiOutPort() = default;
int MidiOutPort::open(int /*index*/) { return -1; }
int MidiOutPort::close() { return 0; }
bool MidiOutPort::is_open() const { return false; }
int MidiOutPort::send(uint32_t /*message*/) { return -1; }

}  // namespace sys
