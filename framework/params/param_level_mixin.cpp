#include "framework/params/param_level_mixin.h"

#include <cstdio>

#include "framework/params/param_text.h"

namespace mppi {

void ParamLevelMixin::get_unit(char* buf, int len) const { copy_bounded(buf, len, "%"); }

double ParamLevelMixin::conv_nrm_to_val(float nrm) const { return nrm; }

float ParamLevelMixin::conv_val_to_nrm(double val) const { return static_cast<float>(val); }

void ParamLevelMixin::conv_val_to_str(char* buf, int len, double val) const {
  char txt[400];
  std::snprintf(txt, sizeof(txt), "%.2f", 100.0 * val);
  copy_bounded(buf, len, txt);
}

double ParamLevelMixin::conv_str_to_val(const char* txt, bool* ok) const {
  double percent = 0.0;
  if (!scan_number(txt, percent)) return 0.0;
  *ok = true;
  if (percent > 100.0) return 1.0;
  if (percent < 0.0) return 0.0;
  return percent / 100.0;
}

}  // namespace mppi
