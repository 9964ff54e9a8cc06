#include "framework/params/param_numbered.h"

#include <cstdio>

#include "framework/params/param_text.h"

namespace mppi {

void ParamNumbered::setup(double val, int src, int number) {
  number_ = number;
  set_val(val, src);
}

void ParamNumbered::get_name(char* buf, int len) const {
  if (len <= 0) return;
  get_prefix(buf, len);
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%d", number_ + 1);
  append_bounded(buf, len, digits);
  char suffix[64];
  get_suffix(suffix, sizeof(suffix));
  append_bounded(buf, len, suffix);
}

}  // namespace mppi
