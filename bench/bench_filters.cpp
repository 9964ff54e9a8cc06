#include <benchmark/benchmark.h>

#include <vector>

#include "dsp/downsampler2x.h"
#include "dsp/halfband_design.h"
#include "dsp/ladder_vcf.h"

namespace {

constexpr int kBlock = 256;

std::vector<float> test_signal(int n) {
  std::vector<float> v(n);
  for (int i = 0; i < n; ++i) v[i] = static_cast<float>((i * 37 % 101) - 50) * 0.02f;
  return v;
}

// Host-rate samples per second through the VCF at fixed and audio-rate cutoff.
void BM_LadderVcf(benchmark::State& state) {
  const bool per_sample_design = state.range(0) != 0;
  dsp::LadderVcf vcf;
  vcf.set_resonance(0.7f);
  vcf.set_cutoff(2000.0f);
  vcf.set_sample_rate(44100.0f);
  const std::vector<float> src = test_signal(kBlock);
  std::vector<float> buf(kBlock);
  for (auto _ : state) {
    buf = src;
    if (per_sample_design) {
      for (int i = 0; i < kBlock; ++i) {
        vcf.set_cutoff(1000.0f + 4.0f * i);
        vcf.update_coefs_fast();
        buf[i] = vcf.process_sample(buf[i]);
      }
    } else {
      vcf.process(buf.data(), kBlock);
    }
    benchmark::DoNotOptimize(buf.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_LadderVcf)->Arg(0)->Arg(1);

// Output samples per second of the half-band decimator.
void BM_Downsampler2x(benchmark::State& state) {
  dsp::Downsampler2x<8> dec;
  dec.set_coefficients(dsp::design_halfband_coefs(69.0, 0.01));
  const std::vector<float> in = test_signal(2 * kBlock);
  std::vector<float> out(kBlock);
  for (auto _ : state) {
    dec.process_block(out.data(), in.data(), kBlock);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
}
BENCHMARK(BM_Downsampler2x);

}  // namespace
