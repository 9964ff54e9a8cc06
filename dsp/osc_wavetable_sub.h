#pragma once
// Band-limited sawtooth and pulse oscillator reading a shared mip-mapped
// sawtooth table. The pulse is the difference of two saw readings half a
// width apart, plus a DC offset. All arithmetic is fixed point: pitch in
// 1/65536 octave, phases and increments as 32.32 table positions.

#include "dsp/interpolator.h"
#include "dsp/pitch_exp.h"
#include "dsp/saw_wavetable.h"
#include "dsp/wavetable_data.h"

#include <algorithm>
#include <cstdint>

namespace dsp {

template <class INTERP, int LL2, int MAXL, typename T, int PRE, int POST>
class OscWavetableSub {
public:
  using Table = WavetableData<LL2, MAXL, T, PRE, POST>;

  OscWavetableSub() : OscWavetableSub(use_shared_saw_table<Table>()) {}
  explicit OscWavetableSub(const Table& table) : table_(&table), table_second_(&table) {}
  virtual ~OscWavetableSub() = default;

  // Pitch of the Nyquist frequency of the rendering rate.
  void set_max_pitch(int max_pitch) { max_pitch_ = max_pitch; }
  int get_max_pitch() const { return max_pitch_; }

  // What a pitch sets, computed apart from the oscillator's state so that a
  // run of pitches can be prepared before the loop that plays them.
  struct Tuning {
    int pitch;
    int level;
    uint64_t increment;
  };

  Tuning tuning_for(int pitch) const {
    const int clamped = std::min(pitch, max_pitch_ - 1);
    return tuning_from(clamped, pitch_exp(clamped - max_pitch_));
  }
  // For a pitch already below the maximum and its exponential relative to it.
  Tuning tuning_from(int clamped, const PitchExp& e) const {
    uint64_t mantissa = e.mantissa;
    int level = e.octaves;
    if (level > MAXL) {
      const int shift = level - MAXL;
      mantissa = shift < 64 ? mantissa >> shift : 0;
      level = MAXL;
    }
    return {clamped, level, mantissa << (table_->get_length_exponent(level) - level)};
  }

  void set_tuning(const Tuning& tuning) {
    pitch_ = tuning.pitch;
    level_ = tuning.level;
    const int exponent = table_->get_length_exponent(level_);
    if (exponent != length_exponent_) {
      phase_ = exponent > length_exponent_ ? phase_ << (exponent - length_exponent_)
                                           : phase_ >> (length_exponent_ - exponent);
      length_exponent_ = exponent;
    }
    length_ = table_->get_length(level_);
    mask_ = length_ - 1;
    update_second_phase();
    increment_ = tuning.increment;
  }

  void set_pitch(int pitch) { set_tuning(tuning_for(pitch)); }
  int get_pitch() const { return pitch_; }

  // Four samples per round through the interpolator's four-wide reading,
  // the rest one by one; the same values as render_one.
  void render(int16_t* saw, int16_t* square, int count) {
    const T* first = table_->data() + table_->get_offset(level_);
    const T* second = table_second_->data() + table_second_->get_offset(level_);
    const uint64_t increment = increment_;
    const int32_t dc_offset = dc_offset_;
    uint64_t phase = phase_;
    uint64_t second_phase = second_phase_;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
      uint64_t phases[4];
      uint64_t second_phases[4];
      for (int k = 0; k < 4; ++k) {
        phases[k] = phase;
        second_phases[k] = second_phase;
        phase = wrap(phase + increment);
        second_phase = wrap(second_phase + increment);
      }
      int32_t s[4];
      int32_t other[4];
      INTERP::read4(first, phases, s);
      INTERP::read4(second, second_phases, other);
      for (int k = 0; k < 4; ++k) {
        saw[i + k] = static_cast<int16_t>(s[k]);
        square[i + k] = pulse(dc_offset, other[k], s[k]);
      }
    }
    phase_ = phase;
    second_phase_ = second_phase;
    for (; i < count; ++i) render_one(saw + i, square + i);
  }
  // The sawtooth alone; both phases end where render leaves them.
  void render_saw(int16_t* saw, int count) {
    if (count <= 0) return;
    const T* first = table_->data() + table_->get_offset(level_);
    const uint64_t increment = increment_;
    uint64_t phase = phase_;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
      uint64_t phases[4];
      for (int k = 0; k < 4; ++k) {
        phases[k] = phase;
        phase = wrap(phase + increment);
      }
      int32_t s[4];
      INTERP::read4(first, phases, s);
      for (int k = 0; k < 4; ++k) saw[i + k] = static_cast<int16_t>(s[k]);
    }
    for (; i < count; ++i) {
      saw[i] = static_cast<int16_t>(INTERP::read(first, phase));
      phase = wrap(phase + increment);
    }
    phase_ = phase;
    second_phase_ = wrap(second_phase_ + increment * static_cast<uint64_t>(count));
  }
  // Moves on `count` samples without output. The wrap is a power-of-two
  // mask, so one addition of count * increment lands where count single
  // steps do.
  void skip(int count) {
    const uint64_t distance = increment_ * static_cast<uint64_t>(count > 0 ? count : 0);
    phase_ = wrap(phase_ + distance);
    second_phase_ = wrap(second_phase_ + distance);
  }

  void render_one(int16_t* saw, int16_t* square) {
    const int32_t s = read_saw_at(phase_);
    *saw = static_cast<int16_t>(s);
    *square = square_from(second_phase_, s);
    advance();
  }

  // Sets width (fraction of a cycle * 2^32) and its DC correction together.
  void set_pulse_width(uint32_t width, int16_t dc_offset) {
    pulse_width_ = width;
    dc_offset_ = dc_offset;
    update_second_phase();
  }
  uint32_t get_pulse_width() const { return pulse_width_; }
  int16_t get_dc_offset() const { return dc_offset_; }

  uint64_t get_phase() const { return phase_; }
  uint64_t get_second_phase() const { return second_phase_; }
  void set_phase(uint64_t phase) {
    phase_ = wrap(phase);
    update_second_phase();
  }
  uint64_t get_increment() const { return increment_; }
  int get_level() const { return level_; }
  int get_length_exponent() const { return length_exponent_; }

  // Readings at an arbitrary phase, for the sync oscillator's restarts.
  int32_t read_saw_at(uint64_t phase) const {
    return INTERP::read(table_->data() + table_->get_offset(level_), phase);
  }
  int16_t read_square_at(uint64_t phase) const {
    return square_from(second_phase_of(phase), read_saw_at(phase));
  }
  // The pulse at the current phase from the sawtooth read there; the second
  // phase always follows the first, so this equals read_square_at(get_phase()).
  int16_t square_with_saw(int32_t saw) const { return square_from(second_phase_, saw); }

  void advance() {
    phase_ = wrap(phase_ + increment_);
    second_phase_ = wrap(second_phase_ + increment_);
  }

private:
  uint64_t wrap(uint64_t phase) const {
    return phase & ((static_cast<uint64_t>(static_cast<uint32_t>(mask_)) << 32) | 0xFFFFFFFFu);
  }
  uint64_t second_phase_of(uint64_t phase) const {
    const auto width = static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(pulse_width_)));
    return wrap(phase - (width << length_exponent_));
  }
  void update_second_phase() { second_phase_ = second_phase_of(phase_); }

  int16_t square_from(uint64_t second_phase, int32_t saw) const {
    const int32_t other = INTERP::read(table_second_->data() + table_second_->get_offset(level_),
                                       second_phase);
    return pulse(dc_offset_, other, saw);
  }
  // The sawtooth less its shifted copy, wrapped to 16 bits.
  static int16_t pulse(int32_t dc_offset, int32_t other, int32_t saw) {
    return static_cast<int16_t>(static_cast<uint16_t>(dc_offset - other + saw));
  }

  int max_pitch_ = 0;
  int pitch_ = 0;
  uint32_t pulse_width_ = 0x80000000u;
  int16_t dc_offset_ = 0;
  int level_ = 0;
  int length_exponent_ = 0;
  int length_ = 1;
  int mask_ = 0;
  uint64_t phase_ = 0;
  uint64_t second_phase_ = 0;
  uint64_t increment_ = 0;
  const Table* table_;
  const Table* table_second_;
};

}  // namespace dsp
