#pragma once
// Exponential time curve from MIN_MS to MAX_MS (envelope times).

#include <algorithm>
#include <cmath>

namespace mppi {

template <int MIN_MS, int MAX_MS>
class EnvTimeParamMapper {
public:
  static_assert(0 < MIN_MS && MIN_MS < MAX_MS, "exponential curve needs 0 < MIN < MAX");

  static double min_val() { return MIN_MS / 1000.0; }
  static double max_val() { return MAX_MS / 1000.0; }

  static double to_val(float nrm) {
    const double la = std::log(min_val());
    const double lb = std::log(max_val());
    return std::clamp(std::exp(la + nrm * (lb - la)), min_val(), max_val());
  }

  static float to_nrm(double val) {
    const double la = std::log(min_val());
    const double lb = std::log(max_val());
    return static_cast<float>(std::clamp((std::log(val) - la) / (lb - la), 0.0, 1.0));
  }
};

}  // namespace mppi
