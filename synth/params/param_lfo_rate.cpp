#include "synth/params/param_lfo_rate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/params/param_text.h"

namespace synth {
namespace {
constexpr double kLnRateSpan = 4.605170185988092;  // ln(100): 0.2 Hz to 20 Hz
}

void LfoRateMixin::get_unit(char* buf, int len) const {
  mppi::copy_bounded(buf, len, is_tempo_mode() ? "Beat" : "Hz");
}

double LfoRateMixin::conv_nrm_to_val(float nrm) const {
  return std::min(kMinHz * std::exp(nrm * kLnRateSpan), kMaxHz);
}

float LfoRateMixin::conv_val_to_nrm(double val) const {
  return static_cast<float>(std::log(val / kMinHz) / kLnRateSpan);
}

void LfoRateMixin::conv_val_to_str(char* buf, int len, double val) const {
  if (len <= 0) return;
  if (is_tempo_mode()) {
    if (len - 1 < 5) {
      mppi::copy_bounded(buf, len, "");
      return;
    }
    mppi::format_fraction(buf, 2.0 / val, len - 1);
    return;
  }
  char txt[400];
  std::snprintf(txt, sizeof(txt), "%.3f", val);
  mppi::copy_bounded(buf, len, txt);
}

double LfoRateMixin::conv_str_to_val(const char* txt, bool* ok) const {
  double x = 0.0;
  if (!mppi::scan_number(txt, x)) return 0.0;
  *ok = true;
  if (is_tempo_mode() && x != 0.0) x = 2.0 / x;
  return std::clamp(x, kMinHz, kMaxHz);
}

}  // namespace synth
