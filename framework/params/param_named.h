#pragma once
// A parameter whose name has a middle part given at creation:
// prefix + middle + suffix.

#include <string>

#include "framework/params/normalized_param_interface.h"

namespace mppi {

class ParamNamed : public virtual NormalizedParamInterface {
public:
  // Set-up (once, at creation): stores the middle part, then does what
  // set_val does.
  virtual void setup(double val, int src, const char* middle);
  virtual void get_prefix(char* buf, int len) const = 0;
  virtual void get_suffix(char* buf, int len) const = 0;

  void get_name(char* buf, int len) const override;

private:
  std::string middle_;
};

}  // namespace mppi
