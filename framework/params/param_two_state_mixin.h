#pragma once
// A switch between two labelled states (a source selection, an on/off
// switch); the natural value is 0 or 1.

#include "framework/params/named_param.h"

namespace mppi {

class ParamTwoStateMixin : public virtual NormalizedParamInterface {
public:
  // The labels must outlive the object (string literals).
  ParamTwoStateMixin(const char* label0, const char* label1)
      : labels_{label0 != nullptr ? label0 : "", label1 != nullptr ? label1 : ""} {}

  int is_discrete() const override { return 1; }
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  // The first label found in the text wins, so "Off" beats "On" as label 0.
  double conv_str_to_val(const char* txt, bool* ok) const override;

  const char* get_label(int index) const { return labels_[index != 0 ? 1 : 0]; }

private:
  const char* labels_[2];
};

// A two-state choice whose natural value keeps a position between the states
// that the host parks it at: a modulation source that automation can blend.
class ParamBlendTwoStateMixin : public ParamTwoStateMixin {
public:
  using ParamTwoStateMixin::ParamTwoStateMixin;
  double conv_nrm_to_val(float nrm) const override { return nrm; }
};

using ParamChoice = NamedParam<ParamTwoStateMixin>;
using ParamBlendChoice = NamedParam<ParamBlendTwoStateMixin>;

}  // namespace mppi
