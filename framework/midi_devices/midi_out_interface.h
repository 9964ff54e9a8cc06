#pragma once
// A MIDI output device: turns receiver calls into bytes for the host or a
// system port.

#include "framework/midi/midi_dev_interface.h"

namespace mppi {

class MidiOutInterface : public MidiDevInterface {
public:
  ~MidiOutInterface() override = default;

  // --- Queries (any thread) --------------------------------------------------
  // Non-zero while the device accepts messages.
  virtual int is_active() const = 0;
};

}  // namespace mppi
