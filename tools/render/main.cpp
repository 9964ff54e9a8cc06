// zindle-render: loads the plug-in through the VST 2 interface, as a host
// does, plays a MIDI file, the built-in demo or an audition of every
// program, and writes a WAV file.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "framework/vst2/vst2_abi.h"
#include "tools/render/note_sequence.h"
#include "tools/render/render_options.h"
#include "tools/render/smf_reader.h"
#include "tools/render/wav_writer.h"
#include "tools/vsthost/vst_host.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace zindle_render;

namespace {

// The plug-in built beside this tool: <build>/plugin/Zindle-BR.<ext>.
std::string default_plugin_path() {
#ifdef _WIN32
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const char* file = "Zindle-BR.dll";
#else
  char exe[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) exe[n] = '\0';
  const char* file = "Zindle-BR.so";
#endif
  std::string dir = exe;
  const size_t slash = dir.find_last_of("/\\");
  dir = slash == std::string::npos ? "." : dir.substr(0, slash);
  return dir + "/../plugin/" + file;
}

// -1 when `wanted` names no program.
int find_program(vsthost::Plugin& plugin, const std::string& wanted) {
  const int count = plugin.effect()->numPrograms;
  char* end = nullptr;
  const long number = std::strtol(wanted.c_str(), &end, 10);
  if (!wanted.empty() && *end == '\0') return number >= 0 && number < count ? static_cast<int>(number) : -1;
  for (int i = 0; i < count; ++i) {
    if (plugin.get_string(effGetProgramNameIndexed, i, 64) == wanted) return i;
  }
  return -1;
}

int fail(int code, const std::string& message) {
  std::fprintf(stderr, "zindle-render: %s\n", message.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  const std::string error = parse_options(argc, argv, options);
  if (!error.empty()) {
    std::fprintf(stderr, "zindle-render: %s\n%s", error.c_str(), usage_text());
    return 2;
  }
  if (options.help) {
    std::fputs(help_text().c_str(), stdout);
    return 0;
  }
  try {
    NoteSequence sequence;
    if (options.demo) {
      sequence = demo_sequence();
    } else if (!options.audition) {
      const std::string smf_error = read_smf_file(options.midi_file, sequence);
      if (!smf_error.empty()) return fail(1, smf_error);
    }

    std::string load_error;
    const std::string path = options.plugin.empty() ? default_plugin_path() : options.plugin;
    auto plugin = vsthost::Plugin::load(path, &load_error);
    if (!plugin) return fail(1, load_error);
    plugin->start(options.sample_rate, options.block_size);

    int program = 0;
    if (!options.program.empty()) {
      program = find_program(*plugin, options.program);
      if (program < 0) return fail(2, "no program '" + options.program + "'");
    }
    const int nbr_programs = options.audition ? plugin->effect()->numPrograms : 1;
    if (options.audition) {
      for (int p = 0; p < nbr_programs; ++p) {
        const NoteSequence phrase = audition_phrase(p * kAuditionSeconds);
        sequence.insert(sequence.end(), phrase.begin(), phrase.end());
      }
    }
    plugin->dispatch(effSetProgram, 0, program);

    const double seconds = options.length_seconds > 0.0 ? options.length_seconds
                           : options.audition       ? nbr_programs * kAuditionSeconds
                                                    : sequence_length(sequence) + options.tail_seconds;
    const long total = std::lround(seconds * options.sample_rate);
    std::vector<float> left(static_cast<size_t>(total)), right(static_cast<size_t>(total));
    const long audition_length = std::lround(kAuditionSeconds * options.sample_rate);
    size_t next = 0;
    for (long pos = 0; pos < total; pos += options.block_size) {
      const int n = static_cast<int>(std::min<long>(options.block_size, total - pos));
      if (options.audition && pos / audition_length != (pos + n - 1) / audition_length)
        plugin->dispatch(effSetProgram, 0, (pos + n - 1) / audition_length);
      std::vector<vsthost::MidiMessage> block;
      while (next < sequence.size()) {
        const long at = std::lround(sequence[next].seconds * options.sample_rate);
        if (at >= pos + n) break;
        const TimedMessage& m = sequence[next++];
        block.push_back({static_cast<int>(std::max(0L, at - pos)), m.status, m.data1, m.data2});
      }
      if (!block.empty()) plugin->send_midi(block);
      plugin->process({}, {left.data() + pos, right.data() + pos}, n);
    }
    plugin->stop();

    const std::string write_error = write_wav(options.output, left, right, options.sample_rate, options.format);
    if (!write_error.empty()) return fail(1, write_error);
    std::printf("zindle-render: wrote %.2f s to %s\n", seconds, options.output.c_str());
    return 0;
  } catch (const std::exception& e) {
    return fail(1, e.what());
  }
}
