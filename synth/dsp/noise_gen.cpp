#include "synth/dsp/noise_gen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "framework/core/plugin_internal.h"
#include "synth/params/param_creator.h"

namespace synth {

namespace {

constexpr double kPi = 3.14159265358979323846;

uint32_t float_bits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof(bits));
  return bits;
}

double prewarped_ratio(double f_high, double f_low, double fs) {
  return std::tan(kPi * f_high / fs) / std::tan(kPi * f_low / fs);
}

// The pole ratios come from the first rate the process sees and are shared
// by every later rate and instance.
double pink_pole_ratio(double fs) {
  static const double ratio = prewarped_ratio(4000.0, 430.0, fs);
  return ratio;
}

double white_pole_ratio(double fs) {
  static const double ratio = prewarped_ratio(6000.0, 200.0, fs);
  return ratio;
}

}  // namespace

// --- Section ---------------------------------------------------------------

void NoiseGen::Section::set_prototype(double n0, double n1, double n2, double d0, double d1,
                                      double d2) {
  n_[0] = n0;
  n_[1] = n1;
  n_[2] = n2;
  d_[0] = d0;
  d_[1] = d1;
  d_[2] = d2;
  update_coefs();
}

void NoiseGen::Section::set_freq(double cutoff, double sample_rate) {
  fc_ = cutoff;
  fs_ = sample_rate;
  update_coefs();
}

void NoiseGen::Section::clear() {
  x1_ = x2_ = y1_ = y2_ = 0.0f;
}

void NoiseGen::Section::update_coefs() {
  const double k = 1.0 / std::tan(kPi * fc_ / fs_);
  const double k2 = k * k;
  const double norm = 1.0 / (d_[0] + d_[1] * k + d_[2] * k2);
  b0_ = static_cast<float>((n_[0] + n_[1] * k + n_[2] * k2) * norm);
  b1_ = static_cast<float>(2.0 * (n_[0] - n_[2] * k2) * norm);
  b2_ = static_cast<float>((n_[0] - n_[1] * k + n_[2] * k2) * norm);
  a1_ = static_cast<float>(2.0 * (d_[0] - d_[2] * k2) * norm);
  a2_ = static_cast<float>((d_[0] - d_[1] * k + d_[2] * k2) * norm);
}

float NoiseGen::Section::process_sample(float x) {
  const float y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

void NoiseGen::Section::feed_forward(float* buf, int count) {
  // process_sample computes ((b0 x + b1 x1) + b2 x2) - a1 y1 - a2 y2. The
  // feed-forward part needs no output, so it is formed first (the compiler
  // runs that loop four samples wide, each lane in the same order).
  constexpr int kChunk = 64;
  float x[kChunk + 2];
  for (int start = 0; start < count; start += kChunk) {
    const int n = std::min(kChunk, count - start);
    x[0] = x2_;
    x[1] = x1_;
    std::memcpy(x + 2, buf + start, sizeof(float) * static_cast<size_t>(n));
    float* ff = buf + start;
    for (int i = 0; i < n; ++i) ff[i] = b0_ * x[i + 2] + b1_ * x[i + 1] + b2_ * x[i];
    x2_ = x[n];
    x1_ = x[n + 1];
  }
}

DeferredRecursion NoiseGen::Section::recursion(float* buf, int count) const {
  return DeferredRecursion{a1_, a2_, y1_, y2_, buf, count, 0};
}

void NoiseGen::Section::take_state(const DeferredRecursion& recursion) {
  y1_ = recursion.y1;
  y2_ = recursion.y2;
}

void NoiseGen::Section::process(float* buf, int count) {
  feed_forward(buf, count);
  DeferredRecursion r = recursion(buf, count);
  r.run_to_end();
  take_state(r);
}

// --- NoiseGen --------------------------------------------------------------

NoiseGen::NoiseGen() : amplitude_bits_(float_bits(1.0f)) {}

void NoiseGen::create_params(mppi::PluginInternal& registry) {
  ParamCreator params(registry, {{ParamGroup::kNoise, &flag_noise_}});
  noise_type_ = params.add_shared<ParamId::kNoiseType>();
  amplitude_bits_ = float_bits(1.0f);
  select_filter();
}

void NoiseGen::release_params() {
  if (noise_type_ == nullptr) return;
  noise_type_->notified = nullptr;
  noise_type_.reset();
  flag_noise_.clear();
  select_filter();
}

void NoiseGen::set_sample_rate(double sample_rate) {
  sample_rate_ = static_cast<float>(sample_rate);
  const double fs = sample_rate_;
  const double v = pink_pole_ratio(fs);
  pink_.set_prototype(1.0, 0.33333334f, 0.0, 1.0, 1.0 + 1.0 / v, 1.0 / v);
  pink_.set_freq(430.0, fs);
  const double w = white_pole_ratio(fs);
  white_.set_prototype(0.16666667f, 0.5, 0.0, 1.0, 1.0 + 1.0 / w, 1.0 / w);
  white_.set_freq(200.0, fs);
}

void NoiseGen::reset() {
  pink_.clear();
  white_.clear();
  deferred_section_ = nullptr;  // a tail still held is dropped with the memory
}

void NoiseGen::update() {
  if (flag_noise_.test_and_clear()) select_filter();
}

void NoiseGen::select_filter() {
  const bool pink = noise_type_ == nullptr || noise_type_->get_val() == 0.0;
  active_ = pink ? &pink_ : &white_;
}

float NoiseGen::next_white() {
  const uint32_t bits = (state_ & 0x807f0000u) | amplitude_bits_;
  state_ = state_ * 1234567u + 890123u;  // as generate's interleaved copies
  float value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

void NoiseGen::generate_white(float* out, int count) {
  // Four interleaved copies of the generator, each stepping four places at
  // once (integer arithmetic modulo 2^32, so exactly the same sequence).
  constexpr uint32_t kMul = 1234567u;
  constexpr uint32_t kAdd = 890123u;
  constexpr uint32_t kMul4 = kMul * kMul * kMul * kMul;
  constexpr uint32_t kAdd4 = kAdd * (1u + kMul + kMul * kMul + kMul * kMul * kMul);
  int i = 0;
  if (count >= 4) {
    uint32_t lane[4];
    lane[0] = state_;
    for (int k = 1; k < 4; ++k) lane[k] = lane[k - 1] * kMul + kAdd;
    uint32_t bits[4];
    for (; i + 4 <= count; i += 4) {
      for (int k = 0; k < 4; ++k) {
        bits[k] = (lane[k] & 0x807f0000u) | amplitude_bits_;
        lane[k] = lane[k] * kMul4 + kAdd4;
      }
      std::memcpy(out + i, bits, sizeof bits);
    }
    state_ = lane[0];
  }
  for (; i < count; ++i) out[i] = next_white();
}

void NoiseGen::generate(float* out, int count) {
  generate_white(out, count);
  active_->process(out, count);
}

void NoiseGen::generate_deferred(float* out, int count, DeferredRecursion& tail) {
  generate_white(out, count);
  active_->feed_forward(out, count);
  tail = active_->recursion(out, count);
  deferred_section_ = active_;
}

void NoiseGen::finish_deferred(DeferredRecursion& tail) {
  if (deferred_section_ == nullptr) return;
  tail.run_to_end();
  deferred_section_->take_state(tail);
  deferred_section_ = nullptr;
  tail.count = tail.done = 0;
}

float NoiseGen::generate_sample() {
  return active_->process_sample(next_white());
}

}  // namespace synth
