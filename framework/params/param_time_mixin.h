#pragma once
// Time in seconds, shown and typed in milliseconds; the curve comes from
// MAPPER (EnvTimeParamMapper or ZeroTimeParamMapper).

#include <algorithm>

#include "framework/params/env_time_param_mapper.h"
#include "framework/params/named_param.h"
#include "framework/params/normalized_param_interface.h"
#include "framework/params/param_text.h"
#include "framework/params/zero_time_param_mapper.h"

namespace mppi {

template <class MAPPER>
class ParamTimeMixin : public virtual NormalizedParamInterface {
public:
  void get_unit(char* buf, int len) const override { copy_bounded(buf, len, "ms"); }
  double conv_nrm_to_val(float nrm) const override { return MAPPER::to_val(nrm); }
  float conv_val_to_nrm(double val) const override { return MAPPER::to_nrm(val); }

  void conv_val_to_str(char* buf, int len, double val) const override {
    format_limited(buf, len, val * 1000.0, 6);
  }

  double conv_str_to_val(const char* txt, bool* ok) const override {
    double ms = 0.0;
    if (!scan_number(txt, ms)) return 0.0;
    *ok = true;
    return std::clamp(ms / 1000.0, MAPPER::min_val(), MAPPER::max_val());
  }
};

template <class MAPPER>
using ParamTime = NamedParam<ParamTimeMixin<MAPPER>>;

}  // namespace mppi
