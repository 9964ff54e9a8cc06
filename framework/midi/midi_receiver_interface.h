#pragma once
// The one interface through which MIDI messages flow: from the MIDI input
// layer to the DSP object, the controller manager and the output devices.
// Every operation returns a status; the defaults do nothing and return 0.
// Channels are 0..15.

#include <cstdint>

namespace mppi {

class MidiReceiverInterface {
public:
  virtual ~MidiReceiverInterface() = default;
  // Sample offset inside the current block of the messages that follow.
  virtual int32_t set_time_stamp(long /*offset*/) { return 0; }
  // pitch in semitones, value 0.0, velocity = MIDI velocity / 64, flag 1.
  virtual int32_t note_on(int /*ch*/, int /*note*/, float /*pitch*/, float /*value*/,
                          float /*velocity*/, int /*flag*/) { return 0; }
  virtual int32_t note_off(int /*ch*/, int /*note*/, float /*velocity*/) { return 0; }
  virtual int32_t key_pressure(int /*ch*/, int /*note*/, float /*pressure*/) { return 0; }
  // Bend in semitones, already scaled by the channel's bend range.
  virtual int32_t pitch_bend(int /*ch*/, float /*bend*/) { return 0; }
  // bank * 128 + program.
  virtual int32_t program_change(int /*ch*/, int /*program*/) { return 0; }
  virtual int32_t rpn(int /*ch*/, int /*number*/, int /*value*/) { return 0; }
  virtual int32_t nrpn(int /*ch*/, int /*number*/, int /*value*/) { return 0; }
  // Any controller other than 6, 38 and 98..101.
  virtual int32_t control_change(int /*ch*/, int /*controller*/, int /*value*/) { return 0; }
  // Every channel message, raw: status nibble 8..14.
  virtual int32_t channel_message(int /*ch*/, int /*status*/, int /*data1*/, int /*data2*/) { return 0; }
  // Slots 11 to 14: room for further messages; nothing sends them and no
  // receiver overrides them.
  virtual int32_t reserved_11() { return 0; }
  virtual int32_t reserved_12() { return 0; }
  virtual int32_t reserved_13() { return 0; }
  virtual int32_t reserved_14() { return 0; }
};

}  // namespace mppi
