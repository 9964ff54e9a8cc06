#pragma once
// One parameter class serving several instances that differ by a number
// (VCO 1 and 2, mixer channels): the name is prefix + (number + 1) + suffix.

#include "framework/params/normalized_param_interface.h"

namespace mppi {

class ParamNumbered : public virtual NormalizedParamInterface {
public:
  // Set-up (once, at creation): stores the number, then does what set_val does.
  virtual void setup(double val, int src, int number);
  virtual int get_number() const { return number_; }
  virtual void get_prefix(char* buf, int len) const = 0;
  virtual void get_suffix(char* buf, int len) const = 0;

  void get_name(char* buf, int len) const override;

private:
  int number_ = -1;
};

}  // namespace mppi
