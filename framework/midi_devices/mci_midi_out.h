#pragma once
// MIDI to a system output port: each packet is one short message.
// ("Mci" names the system's multimedia MIDI ports: the Windows multimedia
// API on Windows, the ALSA sequencer on Linux.)

#include <cstdint>
#include <string>

#include "framework/midi_devices/midi_out_4b_packet_mixin.h"
#include "sys/midi/midi_ports.h"

namespace mppi {

class MciMidiOut : public MidiOut4BPacketMixin {
public:
  MciMidiOut(int port_index, const std::string& client_name);
  ~MciMidiOut() override;

  // Editor thread. open does nothing when already open. 0, or -1.
  int open() override;
  int close() override;
  int is_active() const override { return port_.is_open() ? 1 : 0; }

protected:
  int send_packet(uint32_t packet) override;

private:
  sys::MidiOutPort port_;
  int port_index_;
};

}  // namespace mppi
