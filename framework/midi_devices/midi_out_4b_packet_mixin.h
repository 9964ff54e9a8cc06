#pragma once
// Output side of the receiver interface: each call becomes one or more
// 4-byte packets (status, data 1, data 2, 0), packed as
// status | data1 << 8 | data2 << 16, for the device's send operation. A call
// succeeds only when every packet was accepted; the first refusal ends it,
// so a data entry is never sent without its parameter number.

#include <atomic>
#include <cstdint>

#include "framework/midi/midi_channel_state.h"
#include "framework/midi/midi_receiver_interface.h"
#include "framework/midi_devices/midi_out_interface.h"

namespace mppi {

class MidiOut4BPacketMixin : public MidiOutInterface, public MidiReceiverInterface {
public:
  ~MidiOut4BPacketMixin() override = default;

  // --- Receiver calls that send (thread of the caller) -----------------------
  // Bank select (controllers 0 and 32) then the program.
  int32_t program_change(int ch, int program) override;
  // Parameter number (controllers 101/100 or 99/98) then data entry 6/38.
  int32_t rpn(int ch, int number, int value) override;
  int32_t nrpn(int ch, int number, int value) override;
  int32_t channel_message(int ch, int status, int data1, int data2) override;
  // A one-byte message (system real-time and the like).
  int32_t send_byte(int byte);
  // Any short message, status byte given whole.
  int32_t send_short(int status, int data1, int data2);

  // Which controller of each pair carries the high bits; any thread.
  void set_nrpn_numbering(NrpnNumbering numbering) { numbering_.store(numbering); }
  NrpnNumbering get_nrpn_numbering() const { return numbering_.load(); }

  // Outputs keep no settings of their own.
  int write_settings(basic::ConfKeyMulti& /*section*/) const override { return 0; }
  int read_settings(const basic::ConfKeyMulti& /*section*/) override { return 0; }

protected:
  // 0 accepted, -1 refused.
  virtual int send_packet(uint32_t packet) = 0;

private:
  int32_t send_parameter(int ch, int high_cc, int low_cc, int number, int value);
  int32_t send_cc(int ch, int controller, int value);

  std::atomic<NrpnNumbering> numbering_{NrpnNumbering::standard};
};

}  // namespace mppi
