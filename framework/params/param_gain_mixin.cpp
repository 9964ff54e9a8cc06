#include "framework/params/param_gain_mixin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/params/param_text.h"

namespace mppi {

void ParamGainMixin::get_unit(char* buf, int len) const { copy_bounded(buf, len, "dB"); }

double ParamGainMixin::conv_nrm_to_val(float nrm) const {
  const double ln8 = std::log(8.0);
  return (std::exp(nrm * ln8) - 1.0) / (std::exp(ln8) - 1.0);
}

float ParamGainMixin::conv_val_to_nrm(double val) const {
  if (val <= 0.0) return 0.0f;
  return static_cast<float>(std::log(7.0 * val + 1.0) / std::log(8.0));
}

void ParamGainMixin::conv_val_to_str(char* buf, int len, double val) const {
  if (val <= 0.00001) {
    copy_bounded(buf, len, "-oo");
    return;
  }
  char txt[64];
  std::snprintf(txt, sizeof(txt), "%.1f", std::log(val) * 8.685889638065035);
  copy_bounded(buf, len, txt);
}

double ParamGainMixin::conv_str_to_val(const char* txt, bool* ok) const {
  if (txt == nullptr) return 0.0;
  if (find_no_case(txt, "oo") >= 0) {
    *ok = true;
    return 0.0;
  }
  double db = 0.0;
  if (!scan_number(txt, db)) return 0.0;
  *ok = true;
  return std::clamp(std::exp(db * 0.11512925464970229), 0.0, 1.0);
}

}  // namespace mppi
