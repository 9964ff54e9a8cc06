#include "framework/core/prog_st_ld_default.h"

#include "framework/core/dsp_interface.h"
#include "framework/core/program_slot.h"
#include "framework/params/normalized_param_interface.h"

namespace mppi {

ProgStLdDefault::ProgStLdDefault(DspInterface& dsp)
    : lookup_([&dsp](int index) -> const NormalizedParamInterface* {
        return index < dsp.get_nbr_param() ? dsp.get_param(index) : nullptr;
      }) {}

void ProgStLdDefault::interpolate(ProgramSlot& out, const ProgramSlot& from,
                                  const ProgramSlot& to, double t) {
  const std::size_t n = to.values.size();
  out.values.resize(n, 0.0f);
  for (std::size_t i = 0; i < n; ++i) {
    const NormalizedParamInterface* param = lookup_(static_cast<int>(i));
    if (param != nullptr && !param->is_automatable()) continue;
    if (param != nullptr && param->is_discrete() != 0) {
      out.values[i] = to.values[i];
      continue;
    }
    // A shorter `from` has nothing to glide from: take the target.
    const float start = i < from.values.size() ? from.values[i] : to.values[i];
    out.values[i] = static_cast<float>(start + (to.values[i] - start) * t);
  }
  out.extra = to.extra;
}

}  // namespace mppi
