#include "framework/params/param_named.h"

#include "framework/params/param_text.h"

namespace mppi {

void ParamNamed::setup(double val, int src, const char* middle) {
  middle_ = (middle != nullptr) ? middle : "";
  set_val(val, src);
}

void ParamNamed::get_name(char* buf, int len) const {
  if (len <= 0) return;
  get_prefix(buf, len);
  append_bounded(buf, len, middle_.c_str());
  char suffix[64];
  get_suffix(suffix, sizeof(suffix));
  append_bounded(buf, len, suffix);
}

}  // namespace mppi
