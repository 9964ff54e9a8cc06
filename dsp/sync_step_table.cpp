#include "dsp/sync_step_table.h"

#include <cmath>
#include <vector>

namespace dsp {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kFineStepsL2 = 16;  // integration steps per sample

double sinc(double x) { return x == 0.0 ? 1.0 : std::sin(kPi * x) / (kPi * x); }
}  // namespace

void build_sync_step_table(int16_t* dst, int taps, int res_l2) {
  const int positions = 1 << res_l2;
  const int nbr_points = taps * positions;
  const int fine_per_point = 1 << (kFineStepsL2 - res_l2);
  const double fine = 1.0 / static_cast<double>(1 << kFineStepsL2);
  const double x_start = -0.5 * taps;

  // Running integral of sinc from x_start, midpoint rule, at every point.
  std::vector<double> integral(static_cast<size_t>(nbr_points));
  double sum = 0.0;
  long n = 0;
  for (int i = 0; i < nbr_points; ++i) {
    integral[static_cast<size_t>(i)] = sum;
    for (int f = 0; f < fine_per_point; ++f, ++n)
      sum += sinc(x_start + (static_cast<double>(n) + 0.5) * fine) * fine;
  }

  const int centre = nbr_points / 2;
  const double m = integral[static_cast<size_t>(centre)];
  for (int i = 0; i < nbr_points; ++i) {
    const double ideal = i < centre ? -0.5 : 0.5;
    const double residual = integral[static_cast<size_t>(i)] - m - ideal;
    const double window =
        (std::cos(static_cast<double>(i - centre) * 2.0 * kPi / nbr_points) + 1.0) * 0.5;
    dst[(i % positions) * taps + i / positions] =
        static_cast<int16_t>(std::trunc(residual * window * 16384.0));
  }
}

}  // namespace dsp
