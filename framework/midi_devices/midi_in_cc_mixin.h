#pragma once
// An input device whose controllers also reach the controller binding:
// each device class says where the notifications go.

#include "framework/midi/midi_in_chn.h"

namespace mppi {

class MidiInCcMixin : public MidiInChn {
public:
  ~MidiInCcMixin() override = default;

  // --- Controller notification (the thread that delivers the message) -------
  // id: kind << 16 | number (kind 101 registered, 99 non-registered, else
  // the controller); value: 14 bits.
  virtual int notify_controller(int id, int value) = 0;

  // One message stamped at a sample offset of the current block; detune in
  // cents (0 where the source has none).
  void receive_message(long offset, int status, int data1, int data2, int detune_cents = 0) {
    if (status < 0x80 || status > 0xEF) return;
    set_time_stamp(offset);
    MidiCcNotification cc;
    if (handle_message(status, data1, data2, detune_cents, cc)) notify_controller(cc.id, cc.value);
  }
};

}  // namespace mppi
