#pragma once
// Creates a stage's parameters from their rows: each at its initial value,
// registered (so the call order is the index order) and pointed at the
// stage's flag for its group. Set-up only.

#include <initializer_list>
#include <memory>
#include <vector>

#include "framework/core/plugin_internal.h"
#include "synth/params/param_classes.h"

namespace synth {

struct GroupFlag {
  ParamGroup group;
  mppi::NotifiedInterface* flag;
};

class ParamCreator {
public:
  // `flags`: the stage's flag for each group it reads.
  ParamCreator(mppi::PluginInternal& registry, std::initializer_list<GroupFlag> flags)
      : registry_(registry), flags_(flags) {}

  template <ParamId ID>
  std::shared_ptr<ParamClass<ID>> add_shared() {
    const ParamRow& row = param_row(ID);
    auto param = make_param<param_row(ID).kind>(row);
    registry_.register_and_add(param);
    param->notified = flag_of(row.group);
    return param;
  }

  template <ParamId ID>
  ParamClass<ID>* add() {
    return add_shared<ID>().get();
  }

private:
  // Null when the stage has no flag for the group: the stage tests catch it.
  mppi::NotifiedInterface* flag_of(ParamGroup group) const {
    for (const GroupFlag& entry : flags_) {
      if (entry.group == group) return entry.flag;
    }
    return nullptr;
  }

  mppi::PluginInternal& registry_;
  std::vector<GroupFlag> flags_;
};

}  // namespace synth
