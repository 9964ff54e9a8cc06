#include "dsp/osc_sync_wavetable_sub.h"
#include "dsp/osc_wavetable_sub.h"
#include "dsp/pitch_exp.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using Interp = dsp::Interpolator::CubicHermite;
using Osc = dsp::OscWavetableSub<Interp, 12, 12, short, 1, 2>;
using SyncOsc = dsp::OscSyncWavetableSub<Interp, 12, 12, 16, 8, short, 1, 2>;
constexpr int kBlock = 512;  // one run at the doubled rate
constexpr int kNote57 = 57 * 65536 / 12;

void BM_OscWavetableSub(benchmark::State& state) {
  Osc osc;
  osc.set_max_pitch(dsp::nyquist_pitch(88200.0f));
  osc.set_pitch(kNote57);
  int16_t saw[kBlock], square[kBlock];
  for (auto _ : state) {
    osc.render(saw, square, kBlock);
    benchmark::DoNotOptimize(saw);
    benchmark::DoNotOptimize(square);
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_OscWavetableSub);

void BM_OscSyncWavetableSub(benchmark::State& state) {
  SyncOsc osc;
  osc.set_max_pitch(dsp::nyquist_pitch(88200.0f));
  osc.set_master_pitch(kNote57);
  osc.set_pitch(kNote57 + 86000);
  int16_t saw[kBlock], square[kBlock];
  for (auto _ : state) {
    osc.render(saw, square, kBlock);
    benchmark::DoNotOptimize(saw);
    benchmark::DoNotOptimize(square);
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_OscSyncWavetableSub);

}  // namespace
