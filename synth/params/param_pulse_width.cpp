#include "synth/params/param_pulse_width.h"

#include <algorithm>
#include <cstdio>

#include "framework/params/param_text.h"

namespace synth {

void PulseWidthMixin::get_unit(char* buf, int len) const { mppi::copy_bounded(buf, len, "%"); }
double PulseWidthMixin::conv_nrm_to_val(float nrm) const { return std::max(0.05, 0.5 - 0.45 * nrm); }

float PulseWidthMixin::conv_val_to_nrm(double val) const {
  return static_cast<float>((val - 0.5) * -2.2222222222222223);
}

void PulseWidthMixin::conv_val_to_str(char* buf, int len, double val) const {
  char txt[400];
  std::snprintf(txt, sizeof(txt), "%.1f", 100.0 * val);
  mppi::copy_bounded(buf, len, txt);
}

double PulseWidthMixin::conv_str_to_val(const char* txt, bool* ok) const {
  double percent = 0.0;
  if (!mppi::scan_number(txt, percent)) return 0.0;
  *ok = true;
  return std::clamp(percent, 5.0, 50.0) / 100.0;
}

}  // namespace synth
