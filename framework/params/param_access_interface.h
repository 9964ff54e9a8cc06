#pragma once

namespace mppi {

class NormalizedParamInterface;

// The list of parameters as seen by those that only look them up.
class ParamAccessInterface {
public:
  virtual ~ParamAccessInterface() = default;
  virtual int get_nbr_param() const = 0;
  virtual NormalizedParamInterface* get_param(int index) = 0;
};

}  // namespace mppi
