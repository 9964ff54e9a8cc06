#pragma once
// A short MIDI message at a sample offset of the current block, as the host
// adapter hands it over (and takes it back for the host). Free of any host
// format: the adapter converts.

#include <cstdint>

namespace mppi {

struct MidiTimedEvent {
  int32_t offset = 0;        // samples into the block
  uint8_t bytes[4] = {};     // status, data 1, data 2, 0
  int32_t detune_cents = 0;  // host note detune; 0 on output
};

}  // namespace mppi
