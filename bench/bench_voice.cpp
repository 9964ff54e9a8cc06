// The whole voice through the DSP object: 60 s of a repeating note pattern
// at 44.1 kHz per iteration. "realtime" counts seconds of audio rendered per
// CPU second.

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

#include "bench/voice_patches.h"
#include "framework/params/normalized_param_interface.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

using namespace zindle_bench;

constexpr float kRate = 44100.0f;
constexpr int kBlock = 512;
enum class Patch { kInitial, kRich, kHeaviest, kHeaviestCutoffFm, kSilent };

const std::vector<Setting>& settings_of(Patch patch) {
  static const std::vector<Setting> none;
  switch (patch) {
    case Patch::kRich: return kRich;
    case Patch::kHeaviest: return kHeaviest;
    case Patch::kHeaviestCutoffFm: return kHeaviestCutoffFm;
    default: return none;
  }
}

class VoiceRig {
public:
  explicit VoiceRig(Patch patch) : patch_(patch), left_(kBlock), right_(kBlock) {
    dsp_.init();
    dsp_.start();
    dsp_.set_sample_rate(kRate);
    for (const Setting& s : settings_of(patch)) {
      mppi::NormalizedParamInterface* param = dsp_.get_param(s.first);
      param->set_nrm_and_notify(param->conv_val_to_nrm(s.second));
    }
  }

  // Renders one minute, keeping the note pattern going across calls.
  void render_minute() {
    float* outs[2] = {left_.data(), right_.data()};
    const long total = static_cast<long>(kRate) * kSeconds;
    for (long done = 0; done < total; done += kBlock) {
      if (patch_ != Patch::kSilent) queue_block_events();
      dsp_.process_replacing(outs, nullptr, kBlock, nullptr);
    }
    benchmark::DoNotOptimize(left_.data());
  }

private:
  void queue_block_events() {
    pattern_.play_block(kBlock, [this](long offset, int note, bool down) {
      dsp_.set_time_stamp(offset);
      if (down) {
        dsp_.note_on(0, note, static_cast<float>(note), 0.0f, 1.0f, 1);
      } else {
        dsp_.note_off(0, note, 1.0f);
      }
    });
  }

  Patch patch_;
  synth::ZindleDsp dsp_;
  std::vector<float> left_;
  std::vector<float> right_;
  NotePattern pattern_;
};

void run_voice(benchmark::State& state, Patch patch) {
  VoiceRig rig(patch);
  for (auto _ : state) rig.render_minute();
  state.counters["realtime"] =
      benchmark::Counter(static_cast<double>(kSeconds), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_VoiceInitialPatch(benchmark::State& state) { run_voice(state, Patch::kInitial); }
void BM_VoiceRichPatch(benchmark::State& state) { run_voice(state, Patch::kRich); }
void BM_VoiceHeaviestPath(benchmark::State& state) { run_voice(state, Patch::kHeaviest); }
void BM_VoiceHeaviestCutoffFm(benchmark::State& state) {
  run_voice(state, Patch::kHeaviestCutoffFm);
}
void BM_VoiceSilence(benchmark::State& state) { run_voice(state, Patch::kSilent); }

BENCHMARK(BM_VoiceInitialPatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VoiceRichPatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VoiceHeaviestPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VoiceHeaviestCutoffFm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VoiceSilence)->Unit(benchmark::kMillisecond);

}  // namespace
