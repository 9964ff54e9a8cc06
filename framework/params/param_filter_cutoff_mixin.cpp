#include "framework/params/param_filter_cutoff_mixin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/params/param_text.h"

namespace mppi {

void ParamFilterCutoffMixin::get_unit(char* buf, int len) const { copy_bounded(buf, len, "Hz"); }

double ParamFilterCutoffMixin::conv_nrm_to_val(float nrm) const {
  return std::min(kMinHz * std::exp(nrm * 6.907755278982138), kMaxHz);
}

float ParamFilterCutoffMixin::conv_val_to_nrm(double val) const {
  return static_cast<float>(std::log(val * 0.0625) * 0.14476482730108392);
}

void ParamFilterCutoffMixin::conv_val_to_str(char* buf, int len, double val) const {
  char txt[400];
  std::snprintf(txt, sizeof(txt), "%.1f", val);
  copy_bounded(buf, len, txt);
}

double ParamFilterCutoffMixin::conv_str_to_val(const char* txt, bool* ok) const {
  double hz = 0.0;
  if (!scan_number(txt, hz)) return 0.0;
  *ok = true;
  return std::clamp(hz, kMinHz, kMaxHz);
}

}  // namespace mppi
