#pragma once
// Filter cutoff 16..16000 Hz on an exponential curve.

#include "framework/params/named_param.h"

namespace mppi {

class ParamFilterCutoffMixin : public virtual NormalizedParamInterface {
public:
  static constexpr double kMinHz = 16.0;
  static constexpr double kMaxHz = 16000.0;

  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

using ParamCutoff = NamedParam<ParamFilterCutoffMixin>;

}  // namespace mppi
