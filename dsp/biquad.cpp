#include "dsp/biquad.h"

#include <cmath>

namespace dsp {

void Biquad::set_prototype(float b0, float b1, float b2, float a0, float a1, float a2) {
  proto_b0_ = b0;
  proto_b1_ = b1;
  proto_b2_ = b2;
  proto_a0_ = a0;
  proto_a1_ = a1;
  proto_a2_ = a2;
}

void Biquad::design(double k) {
  const double kk = k * k;
  const double b0 = proto_b0_, b1 = proto_b1_, b2 = proto_b2_;
  const double a0 = proto_a0_, a1 = proto_a1_, a2 = proto_a2_;
  const double d = a0 + a1 * k + a2 * kk;
  state_.c = {static_cast<float>((b0 + b1 * k + b2 * kk) / d), static_cast<float>(2.0 * (b0 - b2 * kk) / d),
              static_cast<float>((b0 - b1 * k + b2 * kk) / d), static_cast<float>(2.0 * (a0 - a2 * kk) / d),
              static_cast<float>((a0 - a1 * k + a2 * kk) / d)};
}

void Biquad::update_coefs() {
  const double pi = 3.14159265358979323846;
  design(1.0 / std::tan(pi * static_cast<double>(cutoff_) / static_cast<double>(sample_rate_)));
}

Biquad::Coefs Biquad::fast_coefs(float cutoff) const {
  const float w = 3.14159265f * cutoff / sample_rate_;
  const float w2 = w * w;
  const float k = 1.0f / (w * (1.0f + w2 * (0.33333334f + 0.13333334f * w2)));
  const float kk = k * k;
  const float d = proto_a0_ + proto_a1_ * k + proto_a2_ * kk;
  const float inv_d = 1.0f / d;
  return {(proto_b0_ + proto_b1_ * k + proto_b2_ * kk) * inv_d,
          2.0f * (proto_b0_ - proto_b2_ * kk) * inv_d,
          (proto_b0_ - proto_b1_ * k + proto_b2_ * kk) * inv_d,
          2.0f * (proto_a0_ - proto_a2_ * kk) * inv_d,
          (proto_a0_ - proto_a1_ * k + proto_a2_ * kk) * inv_d};
}

void Biquad::update_coefs_fast() { state_.c = fast_coefs(cutoff_); }

void Biquad::clear() {
  state_.x1 = state_.x2 = 0.0f;
  state_.y1 = state_.y2 = 0.0f;
}

}  // namespace dsp
