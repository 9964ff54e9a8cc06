#include "tools/render/render_options.h"

#include <cstdlib>
#include <string>

namespace zindle_render {
namespace {

bool parse_int(const char* text, int lo, int hi, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

bool parse_seconds(const char* text, double& out) {
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (end == text || *end != '\0' || !(v >= 0.0 && v <= 3600.0)) return false;
  out = v;
  return true;
}

}  // namespace

const char* usage_text() {
  return "usage: zindle-render (--demo | --audition | MIDI-FILE) [-o OUT.wav] [--plugin FILE]\n"
         "                     [--program NUMBER-OR-NAME] [--rate HZ] [--block N] [--float]\n"
         "                     [--tail SECONDS] [--length SECONDS]\n";
}

std::string help_text() {
  return std::string(usage_text()) +
         "\n"
         "Plays a Standard MIDI File, the built-in demo phrase or an audition of every\n"
         "program through the plug-in, loaded as a host loads it, and writes a stereo WAV.\n"
         "\n"
         "  --demo                   play the built-in demo phrase\n"
         "  --audition               play a short phrase on each program in turn\n"
         "  MIDI-FILE                play a Standard MIDI File (type 0 or 1)\n"
         "  -o, --output OUT.wav     where to write (default out.wav)\n"
         "  --plugin FILE            the plug-in to load (default: the one built beside this tool)\n"
         "  --program NUMBER-OR-NAME the program to play (default 0)\n"
         "  --rate HZ                sample rate, 11025 to 384000 (default 44100)\n"
         "  --block N                block size, 1 to 8192 (default 256)\n"
         "  --float                  write 32-bit float samples (default 16-bit)\n"
         "  --tail SECONDS           time added after the last note (default 1)\n"
         "  --length SECONDS         render exactly this long\n"
         "  -h, --help               show this text\n";
}

std::string parse_options(int argc, const char* const* argv, RenderOptions& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
      options.help = true;
      return {};
    }
  }
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    auto value = [&]() { return argv[++i]; };
    if (arg == "--demo") {
      options.demo = true;
    } else if (arg == "--audition") {
      options.audition = true;
    } else if (arg == "--plugin" && has_value) {
      options.plugin = value();
    } else if (arg == "--program" && has_value) {
      options.program = value();
    } else if ((arg == "-o" || arg == "--output") && has_value) {
      options.output = value();
    } else if (arg == "--rate" && has_value) {
      if (!parse_int(value(), 11025, 384000, options.sample_rate))
        return "--rate takes a sample rate from 11025 to 384000";
    } else if (arg == "--block" && has_value) {
      if (!parse_int(value(), 1, 8192, options.block_size))
        return "--block takes a block size from 1 to 8192";
    } else if (arg == "--float") {
      options.format = WavFormat::Float32;
    } else if (arg == "--tail" && has_value) {
      if (!parse_seconds(value(), options.tail_seconds)) return "--tail takes seconds from 0 to 3600";
    } else if (arg == "--length" && has_value) {
      if (!parse_seconds(value(), options.length_seconds)) return "--length takes seconds from 0 to 3600";
    } else if (!arg.empty() && arg[0] != '-' && options.midi_file.empty()) {
      options.midi_file = arg;
    } else {
      return "unknown or incomplete option '" + arg + "'";
    }
  }
  const int sources = int(options.demo) + int(options.audition) + int(!options.midi_file.empty());
  if (sources != 1) return "give one of --demo, --audition or a MIDI file";
  return {};
}

}  // namespace zindle_render
