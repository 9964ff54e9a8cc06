// Arbitrary bytes as a MIDI file: never a crash or a read outside the data;
// an accepted file gives messages in time order with channel status bytes.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/render/smf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy so that any overrun lands outside the allocation.
  const std::vector<uint8_t> bytes(data, data + size);
  zindle_render::NoteSequence sequence;
  if (!zindle_render::parse_smf(bytes.data(), bytes.size(), sequence).empty()) return 0;
  double last = 0.0;
  for (const zindle_render::TimedMessage& m : sequence) {
    if (!std::isfinite(m.seconds) || m.seconds < last) std::abort();
    if (m.status < 0x80 || m.status >= 0xF0 || m.data1 > 0x7F || m.data2 > 0x7F) std::abort();
    last = m.seconds;
  }
  return 0;
}
