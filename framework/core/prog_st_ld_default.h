#pragma once
// The program blend used for preset fades (it stores and loads nothing).
// Continuous automatable parameters glide from `from` to `to`; stepped ones
// jump to the target at once; the others keep what `out` holds.

#include <functional>

#include "framework/core/prog_st_ld_interface.h"

namespace mppi {

class DspInterface;
class NormalizedParamInterface;

class ProgStLdDefault : public ProgStLdInterface {
public:
  // Parameter object by internal index, null past the last parameter.
  using ParamLookup = std::function<const NormalizedParamInterface*(int index)>;

  explicit ProgStLdDefault(DspInterface& dsp);
  explicit ProgStLdDefault(ParamLookup lookup) : lookup_(std::move(lookup)) {}
  ~ProgStLdDefault() override = default;

  // Values without a parameter object are blended like continuous ones.
  void interpolate(ProgramSlot& out, const ProgramSlot& from, const ProgramSlot& to,
                   double t) override;

private:
  ParamLookup lookup_;
};

}  // namespace mppi
