#pragma once
// Linear level 0..1, shown in percent.

#include "framework/params/named_param.h"

namespace mppi {

class ParamLevelMixin : public virtual NormalizedParamInterface {
public:
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

using ParamLevel = NamedParam<ParamLevelMixin>;

}  // namespace mppi
