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
      position_ += kBlock;
    }
    benchmark::DoNotOptimize(left_.data());
  }

private:
  // Key i of the pattern goes down at the step start with the next key held
  // beside it every other step (both VCOs play), and up after the gate time.
  void queue_block_events() {
    const long end = position_ + kBlock;
    while (next_on_ < end || next_off_ < end) {
      if (next_off_ <= next_on_) {
        dsp_.set_time_stamp(next_off_ - position_);
        for (int k = 0; k < held_; ++k) dsp_.note_off(0, held_notes_[k], 1.0f);
        held_ = 0;
        next_off_ = kNever;
      } else {
        dsp_.set_time_stamp(next_on_ - position_);
        const int count = (step_ % 2 == 0) ? 2 : 1;
        for (int k = 0; k < count; ++k) {
          held_notes_[k] = kPatternNotes[(step_ + k) % 6];
          dsp_.note_on(0, held_notes_[k], static_cast<float>(held_notes_[k]), 0.0f, 1.0f, 1);
        }
        held_ = count;
        next_off_ = next_on_ + kGateSamples;
        next_on_ += kStepSamples;
        ++step_;
      }
    }
  }

  static constexpr long kNever = 0x7fffffffL;

  Patch patch_;
  synth::ZindleDsp dsp_;
  std::vector<float> left_;
  std::vector<float> right_;
  long position_ = 0;
  long next_on_ = 0;
  long next_off_ = kNever;
  int step_ = 0;
  int held_notes_[2] = {};
  int held_ = 0;
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
