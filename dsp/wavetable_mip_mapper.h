#pragma once
// Derives the band-limited lower levels of a WavetableData from its top
// (unfiltered) level: each level down halves the highest kept harmonic.

#include "dsp/fft_real.h"

#include <cmath>
#include <memory>
#include <vector>

namespace dsp {

template <class WT>
class WavetableMipMapper {
public:
  WavetableMipMapper()
      : fft_(std::make_shared<FFTReal<float>>(WT::kLength)),
        time_(WT::kLength, 0.0f),
        spectrum_(WT::kLength, 0.0f) {}
  virtual ~WavetableMipMapper() = default;

  // Fills levels 0 .. top-1 from the top level and updates all guards.
  void build(WT& table) {
    constexpr int n = WT::kLength;
    constexpr int top_level = WT::kNbrLevels - 1;
    for (int i = 0; i < n; ++i) time_[i] = static_cast<float>(table.get_sample(top_level, i));
    fft_->forward(spectrum_.data(), time_.data());
    fft_->rescale(spectrum_.data());

    int top = n / 2;
    for (int level = top_level - 1; level >= 0; --level) {
      const int h = top / 2;
      for (int k = h + 1; k < top; ++k) {
        spectrum_[k] = 0.0f;
        spectrum_[n / 2 + k] = 0.0f;
      }
      spectrum_[top] = 0.0f;
      if (h >= 1) spectrum_[n / 2 + h] = 0.0f;  // bin h keeps its real part only
      fft_->inverse(time_.data(), spectrum_.data());
      for (int i = 0; i < n; ++i)
        table.set_sample(level, i, static_cast<typename WT::Sample>(std::trunc(time_[i])));
      top = h;
    }
    table.update_guards();
  }

private:
  std::shared_ptr<FFTReal<float>> fft_;
  std::vector<float> time_;
  std::vector<float> spectrum_;
};

}  // namespace dsp
