#pragma once
// Where the host MIDI output hands its events once per block: implemented
// by the host adapter, which converts them to the host's event list.

#include "framework/midi_devices/midi_timed_event.h"

namespace mppi {

class MidiEventSenderInterface {
public:
  virtual ~MidiEventSenderInterface() = default;
  // Audio thread, after rendering. The events stay valid and unchanged
  // until the second flush after this one. 0, or an error code.
  virtual int send_events(const MidiTimedEvent* events, int count) = 0;
};

}  // namespace mppi
