#pragma once
// A MIDI input device: delivers channel messages to one receiver and keeps
// the state of the 16 channels, which it can save and load.

#include "basic/serializable_interface.h"
#include "framework/midi/midi_dev_interface.h"

namespace mppi {

class MidiReceiverInterface;

class MidiInInterface : public MidiDevInterface, public basic::SerializableInterface {
public:
  ~MidiInInterface() override = default;

  // --- Queries (any thread) --------------------------------------------------
  // Non-zero while the device delivers messages.
  virtual int is_active() const = 0;
  // Delay of the device in samples.
  virtual int get_latency() const = 0;

  // --- Connection (editor thread, device enabled or disabled) ----------------
  // Every channel gets the receiver and starts from its reset state.
  virtual int attach(MidiReceiverInterface* receiver) = 0;
  virtual int detach() = 0;

  // --- Block work (audio thread) ---------------------------------------------
  // Hands over what arrived since the last block.
  virtual int poll() = 0;
  virtual int begin_block() = 0;
  virtual int end_block() = 0;

  // --- Bend range (any thread) -----------------------------------------------
  // Sets all 16 channels; semitones with hundredths.
  virtual int set_bend_range(float semitones) = 0;
  // The range of the first channel, in semitones.
  virtual double get_bend_range() const = 0;
};

}  // namespace mppi
