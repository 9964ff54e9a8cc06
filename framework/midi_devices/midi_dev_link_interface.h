#pragma once
// What a MIDI input device is connected to: the receiver of the decoded
// channel messages and the controller binding.

namespace mppi {

class MidiReceiverInterface;

class MidiDevLinkInterface {
public:
  virtual ~MidiDevLinkInterface() = default;
  // Editor thread, when an input is selected. May be null.
  virtual MidiReceiverInterface* get_midi_receiver() = 0;
  // MIDI thread (the audio thread): id is kind << 16 | number, value 14
  // bits. Must not allocate or lock.
  virtual int notify_controller(int id, int value14) = 0;
};

}  // namespace mppi
