#pragma once
// Pulse width as a fraction of the period, from 0.5 (square) at the bottom
// of the control down to 0.05, shown in percent.

#include "framework/params/named_param.h"

namespace synth {

class PulseWidthMixin : public virtual mppi::NormalizedParamInterface {
public:
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

using ParamPulseWidth = mppi::NamedParam<PulseWidthMixin>;

}  // namespace synth
