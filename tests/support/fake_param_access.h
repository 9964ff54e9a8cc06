#pragma once
// A list of plain parameters named "Param 0", "Param 1", ... for tests of
// code that only looks parameters up by index and name.

#include <cstdio>
#include <memory>
#include <vector>

#include "framework/params/normalized_param_interface.h"
#include "framework/params/param_access_interface.h"

namespace zindle_test {

class NamedParam : public mppi::NormalizedParamInterface {
public:
  explicit NamedParam(int i) : index_(i) {}
  void get_name(char* buf, int len) const override { std::snprintf(buf, static_cast<size_t>(len), "Param %d", index_); }
  void get_unit(char* buf, int len) const override {
    if (len > 0) buf[0] = 0;
  }
  double conv_nrm_to_val(float n) const override { return n; }
  float conv_val_to_nrm(double v) const override { return static_cast<float>(v); }
  void conv_val_to_str(char* buf, int len, double) const override {
    if (len > 0) buf[0] = 0;
  }
  double conv_str_to_val(const char*, bool*) const override { return 0.0; }

private:
  int index_;
};

class FakeParamAccess : public mppi::ParamAccessInterface {
public:
  explicit FakeParamAccess(int n) {
    for (int i = 0; i < n; ++i) params_.push_back(std::make_unique<NamedParam>(i));
  }
  int get_nbr_param() const override { return static_cast<int>(params_.size()); }
  mppi::NormalizedParamInterface* get_param(int i) override { return params_[static_cast<size_t>(i)].get(); }

private:
  std::vector<std::unique_ptr<NamedParam>> params_;
};

}  // namespace zindle_test
