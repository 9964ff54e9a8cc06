#pragma once
// The sawtooth table shared by every oscillator, built on first use.

#include "dsp/wavetable_data.h"
#include "dsp/wavetable_mip_mapper.h"

#include <memory>

namespace dsp {

// Writes the naive ramp into the top level, starting 1/64 cycle after its
// reset so that the reset lies between samples N - N/64 - 1 and N - N/64.
template <class WT>
void fill_naive_ramp(WT& table) {
  constexpr int n = WT::kLength;
  constexpr int top_level = WT::kNbrLevels - 1;
  for (int j = 0; j < n; ++j) {
    const float value = static_cast<float>(j * (2.0 / n) - 1.0);
    const auto sample = static_cast<typename WT::Sample>(value * 16384.0f);
    table.set_sample(top_level, (j - n / 64) & (n - 1), sample);
  }
}

// Thread-safe: the function-local static is built exactly once.
template <class WT>
const WT& use_shared_saw_table() {
  static const std::unique_ptr<const WT> table = [] {
    auto built = std::make_unique<WT>();
    fill_naive_ramp(*built);
    WavetableMipMapper<WT> mapper;
    mapper.build(*built);
    return std::unique_ptr<const WT>(std::move(built));
  }();
  return *table;
}

}  // namespace dsp
