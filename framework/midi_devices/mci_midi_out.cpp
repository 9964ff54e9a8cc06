#include "framework/midi_devices/mci_midi_out.h"

namespace mppi {

MciMidiOut::MciMidiOut(int port_index, const std::string& client_name)
    : port_(client_name), port_index_(port_index) {}

MciMidiOut::~MciMidiOut() { port_.close(); }

int MciMidiOut::open() { return port_.open(port_index_) == 0 ? 0 : -1; }

int MciMidiOut::close() { return port_.close() == 0 ? 0 : -1; }

int MciMidiOut::send_packet(uint32_t packet) { return port_.send(packet) == 0 ? 0 : -1; }

}  // namespace mppi
