#include "dsp/biquad_designer.h"

namespace dsp {

void BiquadDesigner::design_prototype() {
  switch (type_) {
    case kLowPass:
      set_prototype(1.0f, 0.0f, 0.0f, 1.0f, 1.0f / shape1_, 1.0f);
      break;
    case kHighPass:
      set_prototype(0.0f, 0.0f, 1.0f, 1.0f, 1.0f / shape1_, 1.0f);
      break;
    case kPeak:
      set_prototype(1.0f, shape1_ / shape2_, 1.0f, 1.0f, 1.0f / shape2_, 1.0f);
      break;
    case kBandPass:
      set_prototype(0.0f, shape1_ / shape2_, 0.0f, 1.0f, 1.0f / shape2_, 1.0f);
      break;
    default:
      proto_a0_ = 1.0f;
      proto_a2_ = 1.0f;
      break;
  }
}

}  // namespace dsp
