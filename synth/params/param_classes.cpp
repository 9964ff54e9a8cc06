#include "synth/params/param_classes.h"

namespace synth {

std::shared_ptr<mppi::NormalizedParamInterface> create_param(ParamId id) {
  const ParamRow& row = param_row(id);
  switch (row.kind) {
    case ParamKind::kChoice: return make_param<ParamKind::kChoice>(row);
    case ParamKind::kBlendChoice: return make_param<ParamKind::kBlendChoice>(row);
    case ParamKind::kLevel: return make_param<ParamKind::kLevel>(row);
    case ParamKind::kGain: return make_param<ParamKind::kGain>(row);
    case ParamKind::kEnvTime: return make_param<ParamKind::kEnvTime>(row);
    case ParamKind::kPortaTime: return make_param<ParamKind::kPortaTime>(row);
    case ParamKind::kLagTime: return make_param<ParamKind::kLagTime>(row);
    case ParamKind::kCutoff: return make_param<ParamKind::kCutoff>(row);
    case ParamKind::kCoarseTune: return make_param<ParamKind::kCoarseTune>(row);
    case ParamKind::kFineTune: return make_param<ParamKind::kFineTune>(row);
    case ParamKind::kPulseWidth: return make_param<ParamKind::kPulseWidth>(row);
    case ParamKind::kLfoRate: return make_param<ParamKind::kLfoRate>(row);
  }
  return nullptr;
}

}  // namespace synth
