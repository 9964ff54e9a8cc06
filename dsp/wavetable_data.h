#pragma once
// Mip-mapped single-cycle table: levels 0..MAXL of 2^LL2 samples each, stored
// from the end of the array backwards, each level framed by PRE guard samples
// before and POST after so that an interpolator can read past both ends.

#include <array>
#include <cassert>

namespace dsp {

template <int LL2, int MAXL, typename T, int PRE, int POST>
class WavetableData {
public:
  using Sample = T;
  static constexpr int kNbrLevels = MAXL + 1;
  static constexpr int kLength = 1 << LL2;
  static constexpr int kLevelStride = kLength + PRE + POST;
  static constexpr int kTotalSize = kNbrLevels * kLevelStride;

  WavetableData() {
    for (int level = 0; level < kNbrLevels; ++level) {
      offset_[level] = kTotalSize - kLevelStride * (level + 1) + PRE;
      length_[level] = kLength;
      length_exponent_[level] = LL2;
    }
    data_.fill(0);
  }

  static constexpr int get_nbr_levels() { return kNbrLevels; }
  int get_offset(int level) const { return offset_[level]; }
  int get_length(int level) const { return length_[level]; }
  int get_length_exponent(int level) const { return length_exponent_[level]; }

  void set_sample(int level, int index, T value) {
    assert(index >= 0 && index < kLength);
    data_[offset_[level] + index] = value;
  }
  // index may reach into the guards: -PRE .. length + POST - 1
  T get_sample(int level, int index) const { return data_[offset_[level] + index]; }

  // Copies the wrapped neighbours into the guard samples of every level.
  void update_guards() {
    for (int level = 0; level < kNbrLevels; ++level) {
      T* base = &data_[offset_[level]];
      for (int i = 1; i <= PRE; ++i) base[-i] = base[kLength - i];
      for (int i = 0; i < POST; ++i) base[kLength + i] = base[i];
    }
  }

  const T* data() const { return data_.data(); }

private:
  std::array<int, kNbrLevels> offset_{};
  std::array<int, kNbrLevels> length_{};
  std::array<int, kNbrLevels> length_exponent_{};
  std::array<T, kTotalSize> data_{};
};

}  // namespace dsp
