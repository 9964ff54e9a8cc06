#pragma once
// A switch between two labelled states; the natural value is 0 or 1.

#include "framework/params/normalized_param_interface.h"

namespace mppi {

class ParamTwoStateMixin : public virtual NormalizedParamInterface {
public:
  // The labels must outlive the object (string literals).
  ParamTwoStateMixin(const char* label0, const char* label1) : labels_{label0, label1} {}

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

}  // namespace mppi
