#pragma once
// A parameter of one mapping family whose display name is data, so that one
// class serves every parameter of its family.

#include "framework/params/normalized_param_interface.h"
#include "framework/params/param_text.h"

namespace mppi {

template <class MAPPING>
class NamedParam final : public MAPPING {
public:
  // The name (and the mapping's labels) must outlive the object: string
  // literals.
  template <class... MappingArgs>
  explicit NamedParam(const char* name, MappingArgs... mapping_args)
      : MAPPING(mapping_args...), name_(name != nullptr ? name : "") {}

  void get_name(char* buf, int len) const override { copy_bounded(buf, len, name_); }

private:
  const char* name_;
};

}  // namespace mppi
