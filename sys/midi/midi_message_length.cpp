#include "sys/midi/midi_ports.h"

namespace sys {

int midi_message_length(int status) {
  if (status < 0x80 || status > 0xff) return 0;
  if (status < 0xf0) {
    const int kind = status >> 4;
    return kind == 0xc || kind == 0xd ? 2 : 3;
  }
  switch (status) {
    case 0xf1:
    case 0xf3: return 2;
    case 0xf2: return 3;
    case 0xf0:
    case 0xf7: return 0;
    default: return 1;
  }
}

}  // namespace sys
