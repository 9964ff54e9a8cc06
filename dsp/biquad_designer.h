#pragma once
// Biquad whose analogue prototype comes from a response type and two shape
// values: 0 low-pass, 1 high-pass (shape1 = Q), 2 peaking (shape1 = gain at
// the cutoff, shape2 = Q), 3 band-pass (peak gain shape1, shape2 = Q).

#include "dsp/biquad.h"

namespace dsp {

class BiquadDesigner : public Biquad {
public:
  enum Type { kLowPass = 0, kHighPass = 1, kPeak = 2, kBandPass = 3 };

  BiquadDesigner() { design_prototype(); }

  void set_type(int type) {
    type_ = type;
    design_prototype();
  }
  void set_shape(float shape1, float shape2) {
    shape1_ = shape1;
    shape2_ = shape2;
    design_prototype();
  }
  int type() const { return type_; }

private:
  void design_prototype();

  int type_ = kPeak;
  float shape1_ = 1.0f;
  float shape2_ = 1.0f;
};

}  // namespace dsp
