#pragma once
// Residual between a band-limited and an ideal unit step, sampled at
// 2^RES_L2 sub-sample positions x TAPS taps (position-major), 16384 = 1.0,
// centred on tap TAPS/2. Shared by all sync oscillators, built on first use.

#include <array>
#include <cstdint>

namespace dsp {

// Fills dst[pos * taps + tap] for all positions and taps.
void build_sync_step_table(int16_t* dst, int taps, int res_l2);

template <int TAPS, int RES_L2>
class SyncStepTable {
public:
  static constexpr int kTaps = TAPS;
  static constexpr int kNbrPositions = 1 << RES_L2;

  // Thread-safe: the function-local static is built exactly once.
  static const int16_t* use() {
    static const Storage table = [] {
      Storage t{};
      build_sync_step_table(t.data(), TAPS, RES_L2);
      return t;
    }();
    return table.data();
  }

private:
  using Storage = std::array<int16_t, TAPS * (1 << RES_L2)>;
};

}  // namespace dsp
