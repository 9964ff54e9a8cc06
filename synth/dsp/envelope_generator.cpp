#include "synth/dsp/envelope_generator.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

constexpr double kSustainForever = 1999.0;
constexpr double kThreshold = 0.01;

int successor(int state) {
  return state == EnvelopeGenerator::kRelease ? EnvelopeGenerator::kOff : state + 1;
}

// Per-sample factor that leaves `fraction` of the distance after `seconds`.
double factor_for(double fraction, double seconds, double sample_rate) {
  return std::exp(std::log(fraction) / (seconds * sample_rate));
}

}  // namespace

// --- ExpSegment --------------------------------------------------------------

void ExpSegment::start(double value) {
  base_ = target_;
  const double gap = std::fabs(value - target_);
  if (gap <= 0.05 && gap <= threshold_) {
    dist_ = 0.0;
  } else {
    base_ = value <= target_ ? target_ + threshold_ : target_ - threshold_;
    dist_ = value - base_;
  }
  ends_on_target_ = true;
  if (factor_ >= 1.0) {
    remaining_ = kEndless;
  } else if (dist_ == 0.0) {
    remaining_ = 0;
  } else {
    const double n = std::ceil(std::log(threshold_ / std::fabs(dist_)) / std::log(factor_));
    remaining_ = n >= kEndless ? kEndless : std::max(0, static_cast<int>(n));
  }
}

void ExpSegment::set_length(int nbr_samples) {
  remaining_ = std::max(0, nbr_samples);
  ends_on_target_ = false;
}

int ExpSegment::render(float* out, int count) {
  const int n = std::min(count, remaining_);
  double x = dist_;
  for (int i = 0; i < n; ++i) {
    out[i] = static_cast<float>(base_ + x);
    x *= factor_;
  }
  dist_ = x;
  consume(n);
  return n;
}

void ExpSegment::render_two(ExpSegment& a, float* out_a, ExpSegment& b, float* out_b, int n) {
  double xa = a.dist_;
  double xb = b.dist_;
  for (int i = 0; i < n; ++i) {
    out_a[i] = static_cast<float>(a.base_ + xa);
    xa *= a.factor_;
    out_b[i] = static_cast<float>(b.base_ + xb);
    xb *= b.factor_;
  }
  a.dist_ = xa;
  b.dist_ = xb;
  a.consume(n);
  b.consume(n);
}

void ExpSegment::consume(int n) {
  if (remaining_ != kEndless) remaining_ -= n;
  if (remaining_ == 0) finish();
}

void ExpSegment::finish() {
  remaining_ = 0;
  if (ends_on_target_) dist_ = target_ - base_;
}

// --- EnvelopeGenerator -------------------------------------------------------

EnvelopeGenerator::EnvelopeGenerator() {
  setup_attack();
  setup_decay();
  setup_sustain();
  setup_release();
}

void EnvelopeGenerator::setup_attack() {
  const double k = attack_curve_;
  ExpSegment& seg = segments_[kAttack];
  seg.set_target(1.0);
  seg.set_threshold(k - 1.0);
  seg.set_factor(factor_for((k - 1.0) / k, attack_time_, sample_rate_));
}

void EnvelopeGenerator::setup_decay() {
  ExpSegment& seg = segments_[kDecay];
  seg.set_target(sustain_level_);
  seg.set_threshold(kThreshold);
  seg.set_factor(factor_for(kThreshold, decay_time_, sample_rate_));
}

void EnvelopeGenerator::setup_sustain() {
  ExpSegment& seg = segments_[kSustain];
  seg.set_target(0.0);
  seg.set_threshold(kThreshold);
  seg.set_factor(sustain_time_ >= kSustainForever
                     ? 1.0
                     : factor_for(kThreshold, sustain_time_, sample_rate_));
}

void EnvelopeGenerator::setup_release() {
  ExpSegment& seg = segments_[kRelease];
  seg.set_target(0.0);
  seg.set_threshold(kThreshold);
  seg.set_factor(factor_for(kThreshold, release_time_, sample_rate_));
}

void EnvelopeGenerator::enter(int state) {
  state_ = state;
  while (state_ != kOff) {
    ExpSegment& seg = segments_[state_];
    seg.start(value_);
    if (state_ == kDecay && seg.get_remaining() > 0) {
      seg.set_length(static_cast<int>(std::floor(decay_time_ * sample_rate_ + 0.5)));
    }
    if (seg.get_remaining() >= 1) return;
    seg.finish();
    value_ = seg.get_value();
    state_ = successor(state_);
  }
  value_ = 0.0;
}

void EnvelopeGenerator::restart_if_in(int state) {
  if (state_ == state) enter(state);
}

void EnvelopeGenerator::set_sample_rate(double sample_rate) {
  sample_rate_ = sample_rate;
  setup_attack();
  setup_decay();
  setup_sustain();
  setup_release();
  if (state_ != kOff) enter(state_);
}

void EnvelopeGenerator::set_attack_time(double seconds) {
  attack_time_ = seconds;
  setup_attack();
  restart_if_in(kAttack);
}

void EnvelopeGenerator::set_decay_time(double seconds) {
  decay_time_ = seconds;
  setup_decay();
  restart_if_in(kDecay);
}

void EnvelopeGenerator::set_sustain_time(double seconds) {
  sustain_time_ = seconds;
  setup_sustain();
  restart_if_in(kSustain);
}

void EnvelopeGenerator::set_sustain_level(double level) {
  sustain_level_ = level;
  setup_decay();
  if (state_ == kDecay) {
    enter(kDecay);
  } else if (state_ == kSustain && segments_[kSustain].get_factor() >= 1.0) {
    // A held sustain follows the new level through a fresh decay.
    enter(kDecay);
  }
}

void EnvelopeGenerator::set_release_time(double seconds) {
  release_time_ = seconds;
  setup_release();
  restart_if_in(kRelease);
}

void EnvelopeGenerator::trigger() {
  enter(kAttack);
}

void EnvelopeGenerator::release() {
  if (state_ == kOff || state_ == kRelease) return;
  enter(kRelease);
}

void EnvelopeGenerator::reset() {
  state_ = kOff;
  value_ = 0.0;
}

void EnvelopeGenerator::settle(const ExpSegment& seg) {
  value_ = seg.get_value();
  if (seg.get_remaining() == 0) enter(successor(state_));
}

void EnvelopeGenerator::render(float* out, int count) {
  int pos = 0;
  while (state_ != kOff && pos < count) {
    ExpSegment& seg = segments_[state_];
    pos += seg.render(out + pos, count - pos);
    settle(seg);
  }
  if (state_ == kOff) {
    value_ = 0.0;
    std::fill(out + pos, out + count, 0.0f);
  }
}

void EnvelopeGenerator::render_pair(EnvelopeGenerator& a, float* out_a, EnvelopeGenerator& b,
                                    float* out_b, int count) {
  int done = 0;
  if (a.state_ != kOff && b.state_ != kOff) {
    ExpSegment& seg_a = a.segments_[a.state_];
    ExpSegment& seg_b = b.segments_[b.state_];
    done = std::max(0, std::min({count, seg_a.get_remaining(), seg_b.get_remaining()}));
    if (done > 0) {
      ExpSegment::render_two(seg_a, out_a, seg_b, out_b, done);
      a.settle(seg_a);
      b.settle(seg_b);
    }
  }
  a.render(out_a + done, count - done);
  b.render(out_b + done, count - done);
}

}  // namespace synth
