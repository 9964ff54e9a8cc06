#pragma once
// Cubic time curve from 0 to MAX_MS (portamento, lag): fine steps near zero.

#include <cmath>

namespace mppi {

template <int MAX_MS>
class ZeroTimeParamMapper {
public:
  static_assert(MAX_MS > 0, "time range must not be empty");

  static double min_val() { return 0.0; }
  static double max_val() { return MAX_MS / 1000.0; }

  static double to_val(float nrm) {
    const double n = nrm;
    return n * n * n * max_val();
  }

  static float to_nrm(double val) {
    if (val <= 1e-20) return 0.0f;
    return static_cast<float>(std::exp(std::log(val / max_val()) / 3.0));
  }
};

}  // namespace mppi
