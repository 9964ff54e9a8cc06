#include "tools/render/note_sequence.h"

namespace zindle_render {

NoteSequence audition_phrase(double start) {
  NoteSequence seq;
  // Low, middle and a held duophonic pair: every kind of program speaks.
  const struct { double at, length; int note; } notes[] = {
      {0.0, 0.35, 36}, {0.4, 0.35, 48}, {0.8, 0.35, 60}, {1.2, 1.0, 55}, {1.45, 0.75, 67}};
  for (const auto& n : notes) {
    seq.push_back({start + n.at, 0x90, static_cast<uint8_t>(n.note), 110});
    seq.push_back({start + n.at + n.length, 0x80, static_cast<uint8_t>(n.note), 64});
  }
  return seq;
}

}  // namespace zindle_render
