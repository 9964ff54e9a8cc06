#pragma once
// A control value with its scale; the product is what the voice uses. The
// pitch-bend group holds the bend (-1..+1) scaled by the range in semitones.

namespace synth {

class SynthGroup {
public:
  void set_value(float value) {
    value_ = value;
    product_ = value_ * scale_;
  }
  void set_scale(float scale) {
    scale_ = scale;
    product_ = value_ * scale_;
  }
  float get_value() const { return value_; }
  float get_scale() const { return scale_; }
  float get_product() const { return product_; }

private:
  float scale_ = 2.0f;
  float value_ = 0.0f;
  float product_ = 0.0f;
};

}  // namespace synth
