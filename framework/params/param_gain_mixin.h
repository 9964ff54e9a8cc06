#pragma once
// Linear amplitude 0..1 on a perceptual curve (8^n - 1) / 7, shown in dB.

#include "framework/params/named_param.h"

namespace mppi {

class ParamGainMixin : public virtual NormalizedParamInterface {
public:
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  // "-oo" (any case) is silence; decibels are clamped to 0 dB.
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

using ParamGain = NamedParam<ParamGainMixin>;

}  // namespace mppi
