#include "dsp/halfband_design.h"

#include <cmath>

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTinyTerm = 1e-100;

// Numerator and denominator series of the elliptic all-pass design.
double series_num(double q, int order, int h) {
  double sum = 0.0;
  for (int j = 0;; ++j) {
    const double term = std::pow(q, j * (j + 1.0)) * std::sin((2 * j + 1) * h * kPi / order);
    sum += (j % 2 ? -term : term);
    if (std::fabs(term) < kTinyTerm) break;
  }
  return sum;
}

double series_den(double q, int order, int h) {
  double sum = 0.0;
  for (int j = 1;; ++j) {
    const double term = std::pow(q, static_cast<double>(j) * j) * std::cos(2 * j * h * kPi / order);
    sum += (j % 2 ? -term : term);
    if (std::fabs(term) < kTinyTerm) break;
  }
  return sum;
}

}  // namespace

std::vector<double> design_halfband_coefs(double attenuation_db, double transition) {
  const double kt = std::tan((1.0 - 2.0 * transition) * kPi / 4.0);
  const double k = kt * kt;
  const double r = std::pow(1.0 - k * k, 0.25);
  const double e = 0.5 * (1.0 - r) / (1.0 + r);
  const double e4 = e * e * e * e;
  const double q = e * (1.0 + e4 * (2.0 + e4 * (15.0 + 150.0 * e4)));

  double a = std::pow(10.0, -attenuation_db / 10.0);
  a = a / (1.0 - a);
  int order = static_cast<int>(std::ceil(std::log(a * a / 16.0) / std::log(q)));
  if (order % 2 == 0) ++order;
  if (order == 1) order = 3;

  std::vector<double> coefs((order - 1) / 2);
  const double q4 = std::pow(q, 0.25);
  for (int i = 0; i < static_cast<int>(coefs.size()); ++i) {
    const int h = i + 1;
    const double w = q4 * series_num(q, order, h) / (series_den(q, order, h) + 0.5);
    const double w2 = w * w;
    const double x = std::sqrt((1.0 - w2 * k) * (1.0 - w2 / k)) / (1.0 + w2);
    coefs[i] = (1.0 - x) / (1.0 + x);
  }
  return coefs;
}

}  // namespace dsp
