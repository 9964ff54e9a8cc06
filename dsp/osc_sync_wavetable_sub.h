#pragma once
// Hard-synced wavetable oscillator: a slave OscWavetableSub restarts its cycle
// whenever the master (tracked by pitch only) starts one. Each restart's jump
// is smoothed with a band-limited step residual added into two correction
// rings, so the output leaves STEP_LEN/2 samples late.

#include "dsp/osc_wavetable_sub.h"
#include "dsp/pitch_exp.h"
#include "dsp/sync_step_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dsp {

template <class INTERP, int LL2, int MAXL, int STEP_LEN, int STEP_RES_L2, typename T, int PRE,
          int POST>
class OscSyncWavetableSub {
public:
  using Slave = OscWavetableSub<INTERP, LL2, MAXL, T, PRE, POST>;
  using StepTable = SyncStepTable<STEP_LEN, STEP_RES_L2>;
  static constexpr int kRingSize = 128;
  static constexpr int kDelay = STEP_LEN / 2;
  static_assert(STEP_LEN * 2 <= kRingSize / 2, "ring too short for the step length");

  OscSyncWavetableSub() : step_(StepTable::use()) {}
  explicit OscSyncWavetableSub(const typename Slave::Table& table)
      : slave_(table), step_(StepTable::use()) {}
  virtual ~OscSyncWavetableSub() = default;

  void set_max_pitch(int max_pitch) {
    slave_.set_max_pitch(max_pitch);
    update_master_period();
  }

  void set_master_pitch(int pitch) {
    master_pitch_ = pitch;
    update_master_period();
  }
  int get_master_pitch() const { return master_pitch_; }
  int64_t get_master_period() const { return master_period_; }
  int64_t get_countdown() const { return countdown_; }

  struct Tuning {
    typename Slave::Tuning slave;
    uint64_t slave_increment;
  };

  // As the slave's: a pitch's settings apart from the state.
  Tuning tuning_for(int pitch) const {
    const int clamped = std::min(pitch, slave_.get_max_pitch() - 1);
    const PitchExp e = pitch_exp(clamped - slave_.get_max_pitch());
    return {slave_.tuning_from(clamped, e), e.mantissa >> (e.octaves & 31)};
  }
  void set_tuning(const Tuning& tuning) {
    slave_.set_tuning(tuning.slave);
    slave_increment_ = tuning.slave_increment;
  }
  void set_pitch(int pitch) { set_tuning(tuning_for(pitch)); }
  uint64_t get_slave_increment() const { return slave_increment_; }

  Slave& use_slave() { return slave_; }
  const Slave& use_slave() const { return slave_; }

  void render(int16_t* saw, int16_t* square, int count) {
    for (int i = 0; i < count; ++i) render_one(saw + i, square + i);
  }

  void render_one(int16_t* saw, int16_t* square) {
    // -1 < countdown <= 0: the master started a cycle since the last sample.
    if (((static_cast<uint64_t>(countdown_) + 0xFFFFFFFFu) >> 32) == 0) restart();

    const int32_t s = slave_.read_saw_at(slave_.get_phase());
    const int16_t sq = slave_.square_with_saw(s);
    const int out_pos = (write_ - kDelay) & (kRingSize - 1);
    *saw = ring_saw_[out_pos];
    *square = ring_square_[out_pos];
    ring_saw_[write_] = wrap16(ring_saw_[write_] + s);
    ring_square_[write_] = wrap16(ring_square_[write_] + sq);

    const int clear_pos = (write_ - kRingSize / 2) & (kRingSize - 1);
    ring_saw_[clear_pos] = 0;
    ring_square_[clear_pos] = 0;
    write_ = (write_ + 1) & (kRingSize - 1);

    slave_.advance();
    countdown_ -= kOneSample;
  }

private:
  static constexpr int64_t kOneSample = int64_t{1} << 32;

  static int16_t wrap16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

  void update_master_period() {
    const int x = slave_.get_max_pitch() - master_pitch_;
    const uint32_t mantissa = exp2_fraction((static_cast<uint32_t>(x) & 0xFFFFu) << 16);
    // Periods beyond 2^31 samples only occur for absurd pitches; keep them finite.
    const int shift = std::clamp((x >> 16) + 2, 0, 31);
    master_period_ = static_cast<int64_t>(static_cast<uint64_t>(mantissa) << shift);
  }

  void restart() {
    const int exponent = slave_.get_length_exponent();
    // Minus the cycle fraction travelled since the reset instant (<= 0).
    const int64_t a =
        (static_cast<int64_t>(slave_increment_ >> 12) * (countdown_ >> 12)) >> 8;

    const uint64_t at_reset =
        static_cast<uint64_t>(static_cast<uint32_t>((slave_.get_phase() >> exponent) + a))
        << exponent;
    const int16_t saw_before = static_cast<int16_t>(slave_.read_saw_at(at_reset));
    const int16_t square_before = slave_.read_square_at(at_reset);

    slave_.set_phase(static_cast<uint64_t>(static_cast<uint32_t>(-a)) << exponent);

    const int16_t saw_after = static_cast<int16_t>(slave_.read_saw_at(0));
    const int16_t square_after = slave_.read_square_at(0);
    const int32_t d_saw = wrap16(saw_after - saw_before);
    const int32_t d_square = wrap16(square_after - square_before);

    const uint32_t position = (0u - static_cast<uint32_t>(countdown_)) >> (32 - STEP_RES_L2);
    const int16_t* taps = step_ + position * STEP_LEN;
    for (int k = 0; k < STEP_LEN; ++k) {
      const int pos = (write_ - kDelay + k) & (kRingSize - 1);
      ring_saw_[pos] = wrap16(ring_saw_[pos] + ((taps[k] * d_saw) >> 14));
      ring_square_[pos] = wrap16(ring_square_[pos] + ((taps[k] * d_square) >> 14));
    }
    countdown_ += master_period_;
  }

  int master_pitch_ = 0;
  int64_t countdown_ = 0;
  int64_t master_period_ = 0;
  Slave slave_;
  uint64_t slave_increment_ = 0;
  const int16_t* step_;
  std::array<int16_t, kRingSize> ring_saw_{};
  std::array<int16_t, kRingSize> ring_square_{};
  int write_ = 0;
};

}  // namespace dsp
