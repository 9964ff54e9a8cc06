#include "synth/dsp/lfo.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

// Radians per second per bpm: one cycle per two beats at rate 1.
constexpr double kRadiansPerBeatMinute = 0.05235987755982988;
constexpr double kMaxSamples = 0x7fffffff;

int clamp_samples(double n) {
  if (!(n >= 0.0)) return 0;
  return n >= kMaxSamples ? 0x7fffffff : static_cast<int>(n);
}

}  // namespace

void Lfo::set_sample_rate(float sample_rate) {
  sample_rate_ = sample_rate;
  update_increment();
}

void Lfo::set_rate(float rate) {
  rate_ = rate;
  update_increment();
}

void Lfo::set_tempo_sync(bool on) {
  tempo_sync_ = on;
  update_increment();
}

void Lfo::set_tempo(float bpm) {
  if (!(bpm > 0.0f) || !std::isfinite(bpm)) return;
  tempo_ = bpm;
  update_increment();
}

void Lfo::update_increment() {
  const double omega = (tempo_sync_ ? tempo_ * kRadiansPerBeatMinute : kTwoPi) * rate_;
  increment_ = static_cast<float>(omega / sample_rate_);
  samples_per_radian_ = static_cast<float>(sample_rate_ / omega);
}

void Lfo::advance(int nbr_samples) {
  phase_ += increment_ * static_cast<float>(nbr_samples);
  while (phase_ >= kTwoPi) phase_ -= kTwoPi;
}

int Lfo::samples_to_boundary() const {
  const double to_boundary = phase_ <= kPi ? kPi - phase_ : kTwoPi - phase_;
  return clamp_samples(std::floor(to_boundary * samples_per_radian_));
}

int Lfo::period_samples() const {
  return std::max(1, clamp_samples(std::floor(sample_rate_ / rate_ + 0.5f)));
}

}  // namespace synth
