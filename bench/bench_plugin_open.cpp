// Cost of a plug-in instance as a host sees it: the time from the entry
// point to a ready descriptor, and the heap it keeps.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <vector>

#include "framework/vst2/vst2_abi.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audio_master);

namespace {

VstIntPtr VSTCALLBACK quiet_host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

void BM_PluginOpenClose(benchmark::State& state) {
  for (auto _ : state) {
    AEffect* effect = VSTPluginMain(quiet_host);
    benchmark::DoNotOptimize(effect);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  }
}
BENCHMARK(BM_PluginOpenClose)->Unit(benchmark::kMillisecond);

void BM_PluginHeapPerInstance(benchmark::State& state) {
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    std::vector<AEffect*> effects;
    for (int i = 0; i < 10; ++i) effects.push_back(VSTPluginMain(quiet_host));
    const size_t after = mallinfo2().uordblks;
    for (AEffect* e : effects) e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    state.counters["bytes_per_instance"] = static_cast<double>(after - before) / 10.0;
  }
}
BENCHMARK(BM_PluginHeapPerInstance)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
