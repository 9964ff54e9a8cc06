// The whole voice as a host plays it: the built plug-in file loaded through
// the VST 2 interface, the patch set by host parameter changes, notes sent as
// MIDI, 60 s at 44.1 kHz in 256-sample blocks per iteration. "realtime"
// counts seconds of audio per CPU second; the label "fnv32" hashes the output bits of
// the first minute, so a faster build that changes one sample shows at once.
//   zindle-bench --benchmark_filter='Plugin' --benchmark_repetitions=5
// Instructions per output sample: run one benchmark under
//   valgrind --tool=callgrind --toggle-collect='vsthost::Plugin::process*'
//     --toggle-collect='vsthost::Plugin::send_midi*' zindle-bench
//     --benchmark_filter='PluginInitialPatch$' --benchmark_min_time=0.001
// and divide the collected count by 60 * 44100 per iteration.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/voice_patches.h"
#include "framework/params/normalized_param_interface.h"
#include "synth/plugin/zindle_dsp.h"
#include "tools/vsthost/vst_host.h"

namespace {

using namespace zindle_bench;

constexpr double kRate = 44100.0;
constexpr int kBlock = 256;
// The plug-in built beside this benchmark: <build>/plugin/Zindle-BR.so.
std::string plugin_path() {
  char exe[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) exe[n] = '\0';
  std::string dir = exe;
  const size_t slash = dir.find_last_of('/');
  dir = slash == std::string::npos ? "." : dir.substr(0, slash);
  return dir + "/../plugin/Zindle-BR.so";
}

// Normalized values of every parameter for the initial settings changed by
// `settings`, as an in-process instance computes them.
std::vector<float> patch_values(const std::vector<Setting>& settings) {
  synth::ZindleDsp dsp;
  dsp.init();
  dsp.start();
  for (const Setting& s : settings) {
    mppi::NormalizedParamInterface* param = dsp.get_param(s.first);
    param->set_nrm_and_notify(param->conv_val_to_nrm(s.second));
  }
  std::vector<float> values(static_cast<size_t>(dsp.get_nbr_param()));
  for (int i = 0; i < dsp.get_nbr_param(); ++i) values[static_cast<size_t>(i)] = dsp.get_param(i)->nrm();
  dsp.stop();
  return values;
}

class PluginRig {
public:
  explicit PluginRig(const std::vector<Setting>& settings) : left_(kBlock), right_(kBlock) {
    // No saved settings of the user may reorder the parameters.
    setenv("XDG_CONFIG_HOME", "/nonexistent-zindle-bench", 1);
    std::string error;
    plugin_ = vsthost::Plugin::load(plugin_path(), &error);
    if (!plugin_) return;
    plugin_->start(kRate, kBlock);
    const std::vector<float> values = patch_values(settings);
    for (size_t i = 0; i < values.size(); ++i) plugin_->set_parameter(static_cast<int>(i), values[i]);
  }
  ~PluginRig() {
    if (plugin_) plugin_->stop();
  }

  bool loaded() const { return plugin_ != nullptr; }

  // Renders one minute, keeping the note pattern going across calls; the
  // hash covers the first minute only.
  void render_minute() {
    const long total = static_cast<long>(kRate) * kSeconds;
    for (long done = 0; done < total; done += kBlock) {
      send_block_events();
      plugin_->process({}, {left_.data(), right_.data()}, kBlock);
      if (minutes_ == 0) hash(left_);
    }
    ++minutes_;
    benchmark::DoNotOptimize(left_.data());
  }
  uint32_t output_hash() const { return hash_; }

private:
  void hash(const std::vector<float>& block) {
    for (float v : block) {
      uint32_t bits = 0;
      std::memcpy(&bits, &v, sizeof bits);
      for (int b = 0; b < 4; ++b) hash_ = (hash_ ^ ((bits >> (8 * b)) & 0xFFu)) * 16777619u;
    }
  }

  void send_block_events() {
    events_.clear();
    pattern_.play_block(kBlock, [this](long offset, int note, bool down) {
      const auto status = static_cast<uint8_t>(down ? 0x90 : 0x80);
      const auto velocity = static_cast<uint8_t>(down ? 127 : 64);
      events_.push_back({static_cast<int>(offset), status, static_cast<uint8_t>(note), velocity});
    });
    if (!events_.empty()) plugin_->send_midi(events_);
  }

  std::unique_ptr<vsthost::Plugin> plugin_;
  std::vector<float> left_;
  std::vector<float> right_;
  std::vector<vsthost::MidiMessage> events_;
  NotePattern pattern_;
  int minutes_ = 0;
  uint32_t hash_ = 2166136261u;
};

void run_plugin_voice(benchmark::State& state, const std::vector<Setting>& settings) {
  PluginRig rig(settings);
  if (!rig.loaded()) {
    state.SkipWithError(("cannot load " + plugin_path()).c_str());
    return;
  }
  for (auto _ : state) rig.render_minute();
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(kSeconds), benchmark::Counter::kIsIterationInvariantRate);
  char label[16];
  std::snprintf(label, sizeof label, "fnv32=%08x", static_cast<unsigned>(rig.output_hash()));
  state.SetLabel(label);
}

void BM_PluginInitialPatch(benchmark::State& state) { run_plugin_voice(state, {}); }
void BM_PluginRichPatch(benchmark::State& state) { run_plugin_voice(state, kRich); }
void BM_PluginHeaviestPath(benchmark::State& state) { run_plugin_voice(state, kHeaviest); }

void BM_PluginHeaviestCutoffFm(benchmark::State& state) { run_plugin_voice(state, kHeaviestCutoffFm); }
void BM_PluginVco2Feedback(benchmark::State& state) { run_plugin_voice(state, kVco2Feedback); }

BENCHMARK(BM_PluginInitialPatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PluginRichPatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PluginHeaviestPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PluginHeaviestCutoffFm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PluginVco2Feedback)->Unit(benchmark::kMillisecond);

}  // namespace
