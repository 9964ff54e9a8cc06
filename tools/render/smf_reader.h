#pragma once
// Standard MIDI Files (formats 0 and 1) as a note sequence in seconds.
// The input is untrusted: every length is checked against the data.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/render/note_sequence.h"

namespace zindle_render {

// Returns an empty string on success, else what is wrong with the data;
// `sequence` is only written on success. Meta and system exclusive events
// are skipped; tempo changes from every track shape the timing.
std::string parse_smf(const uint8_t* data, std::size_t size, NoteSequence& sequence);

std::string read_smf_file(const std::string& path, NoteSequence& sequence);

}  // namespace zindle_render
