#pragma once
// Filter cutoff 16..16000 Hz on an exponential curve; named
// prefix + middle + "Freq".

#include "framework/params/param_named.h"

namespace mppi {

class ParamFilterCutoffMixin : public virtual ParamNamed {
public:
  static constexpr double kMinHz = 16.0;
  static constexpr double kMaxHz = 16000.0;

  void get_suffix(char* buf, int len) const override;
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

}  // namespace mppi
