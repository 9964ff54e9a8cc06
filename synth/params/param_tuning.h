#pragma once
// Oscillator tuning: coarse transposition in semitones and fine detune shown
// in cents.

#include "framework/params/named_param.h"

namespace synth {

// -36..+36 semitones, continuous.
class CoarseTuneMixin : public virtual mppi::NormalizedParamInterface {
public:
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

// -1..+1 semitone, shown and typed in cents.
class FineTuneMixin : public virtual mppi::NormalizedParamInterface {
public:
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

using ParamCoarseTune = mppi::NamedParam<CoarseTuneMixin>;
using ParamFineTune = mppi::NamedParam<FineTuneMixin>;

}  // namespace synth
