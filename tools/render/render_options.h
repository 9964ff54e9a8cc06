#pragma once
#include <string>

#include "tools/render/wav_writer.h"

namespace zindle_render {

struct RenderOptions {
  bool help = false;           // print help_text() and do nothing else
  bool demo = false;
  bool audition = false;       // a phrase on every program in turn
  std::string plugin;          // empty: the plug-in built beside the tool
  std::string program;         // number or name; empty: program 0
  std::string midi_file;
  std::string output = "out.wav";
  int sample_rate = 44100;
  int block_size = 256;
  WavFormat format = WavFormat::Pcm16;
  double tail_seconds = 1.0;
  double length_seconds = 0.0;  // 0: the sequence's own length plus the tail
};

// Returns an empty string when the arguments are valid, else the message.
// --help (or -h) anywhere wins over everything else.
std::string parse_options(int argc, const char* const* argv, RenderOptions& options);

// The command line, shown after a usage error.
const char* usage_text();
// The command line and what each option does, for --help.
std::string help_text();

}  // namespace zindle_render
