#include "framework/params/param_two_state_mixin.h"

#include <cmath>

#include "framework/params/param_text.h"

namespace mppi {

void ParamTwoStateMixin::get_unit(char* buf, int len) const { copy_bounded(buf, len, ""); }

double ParamTwoStateMixin::conv_nrm_to_val(float nrm) const { return std::floor(nrm + 0.5); }

float ParamTwoStateMixin::conv_val_to_nrm(double val) const {
  return static_cast<float>(std::floor(val + 0.5));
}

void ParamTwoStateMixin::conv_val_to_str(char* buf, int len, double val) const {
  const long index = std::lrint(2.0 * val + 0.5) >> 1;
  copy_bounded(buf, len, get_label(index > 0 ? 1 : 0));
}

double ParamTwoStateMixin::conv_str_to_val(const char* txt, bool* ok) const {
  if (txt == nullptr) return 0.0;
  for (int i = 0; i < 2; ++i) {
    if (find_no_case(txt, labels_[i]) >= 0) {
      *ok = true;
      return i;
    }
  }
  return 0.0;
}

}  // namespace mppi
