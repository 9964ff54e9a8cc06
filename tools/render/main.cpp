// zindle-render: loads the plug-in through the VST 2 interface, as a host
// does, plays a MIDI file, the built-in demo or an audition of every
// program, and writes a WAV file.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "framework/vst2/vst2_abi.h"
#include "tools/render/audition_report.h"
#include "tools/render/loudness.h"
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

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;
};

// Plays `sequence` for `frames` samples, from the program already selected.
Stereo play(vsthost::Plugin& plugin, const NoteSequence& sequence, long frames, const RenderOptions& options) {
  Stereo out;
  out.left.assign(static_cast<size_t>(frames), 0.0f);
  out.right.assign(static_cast<size_t>(frames), 0.0f);
  size_t next = 0;
  for (long pos = 0; pos < frames; pos += options.block_size) {
    const int n = static_cast<int>(std::min<long>(options.block_size, frames - pos));
    std::vector<vsthost::MidiMessage> block;
    while (next < sequence.size()) {
      const long at = std::lround(sequence[next].seconds * options.sample_rate);
      if (at >= pos + n) break;
      const TimedMessage& m = sequence[next++];
      block.push_back({static_cast<int>(std::max(0L, at - pos)), m.status, m.data1, m.data2});
    }
    if (!block.empty()) plugin.send_midi(block);
    plugin.process({}, {out.left.data() + pos, out.right.data() + pos}, n);
  }
  return out;
}

std::unique_ptr<vsthost::Plugin> open_plugin(const std::string& path, const RenderOptions& options,
                                             std::string* error) {
  auto plugin = vsthost::Plugin::load(path, error);
  if (plugin) plugin->start(options.sample_rate, options.block_size);
  return plugin;
}

// Every program in a fresh instance of its own, so that no program inherits
// another's tails or modulation state; the phrases follow one another in
// `out`, and each is measured alone.
bool audition(const std::string& path, int nbr_programs, const RenderOptions& options, Stereo& out,
              std::vector<ProgramLoudness>& table, std::string* error) {
  const long length = std::lround(kAuditionSeconds * options.sample_rate);
  for (int p = 0; p < nbr_programs; ++p) {
    auto plugin = open_plugin(path, options, error);
    if (!plugin) return false;
    plugin->dispatch(effSetProgram, 0, p);
    const Stereo phrase = play(*plugin, audition_phrase(0.0), length, options);
    plugin->stop();
    table.push_back({plugin->get_string(effGetProgramName, 0, 64),
                     measure_loudness(phrase.left, phrase.right, options.sample_rate)});
    out.left.insert(out.left.end(), phrase.left.begin(), phrase.left.end());
    out.right.insert(out.right.end(), phrase.right.begin(), phrase.right.end());
  }
  return true;
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
    auto plugin = open_plugin(path, options, &load_error);
    if (!plugin) return fail(1, load_error);

    int program = 0;
    if (!options.program.empty()) {
      program = find_program(*plugin, options.program);
      if (program < 0) return fail(2, "no program '" + options.program + "'");
    }

    Stereo out;
    if (options.audition) {
      const int nbr_programs = plugin->effect()->numPrograms;
      if (nbr_programs <= 0) return fail(1, "the plug-in has no programs to audition");
      plugin->stop();
      plugin.reset();
      std::vector<ProgramLoudness> table;
      if (!audition(path, nbr_programs, options, out, table, &load_error)) return fail(1, load_error);
      std::fputs(format_audition_table(table).c_str(), stdout);
      if (options.length_seconds > 0.0) {
        const auto frames = static_cast<size_t>(std::lround(options.length_seconds * options.sample_rate));
        out.left.resize(frames, 0.0f);
        out.right.resize(frames, 0.0f);
      }
    } else {
      plugin->dispatch(effSetProgram, 0, program);
      const double seconds =
          options.length_seconds > 0.0 ? options.length_seconds : sequence_length(sequence) + options.tail_seconds;
      out = play(*plugin, sequence, std::lround(seconds * options.sample_rate), options);
      plugin->stop();
    }

    const std::string write_error = write_wav(options.output, out.left, out.right, options.sample_rate, options.format);
    if (!write_error.empty()) return fail(1, write_error);
    std::printf("zindle-render: wrote %.2f s to %s\n", static_cast<double>(out.left.size()) / options.sample_rate,
                options.output.c_str());
    return 0;
  } catch (const std::exception& e) {
    return fail(1, e.what());
  }
}
