#pragma once
// Envelope generator with exponential segments (attack, decay, sustain,
// release), rendered one multiplication per sample.

#include <cstdint>

namespace synth {

// A curve B + x that shrinks x by a factor per sample. It aims past its target
// by a threshold so that it reaches the target in finite time, then stops.
class ExpSegment {
public:
  static constexpr int kEndless = 0x7fffffff;

  void set_target(double target) { target_ = target; }
  void set_threshold(double threshold) { threshold_ = threshold; }
  void set_factor(double factor) { factor_ = factor; }
  double get_target() const { return target_; }
  double get_factor() const { return factor_; }

  // Starts the curve from `value` and computes the samples left to the target.
  void start(double value);
  // Overrides the length: the segment then ends wherever the curve is.
  void set_length(int nbr_samples);

  // Writes min(count, remaining) samples; returns how many were written.
  int render(float* out, int count);
  // a.render(out_a, n) and b.render(out_b, n) in one loop, n within both.
  static void render_two(ExpSegment& a, float* out_a, ExpSegment& b, float* out_b, int n);
  // Ends the segment: on its target, or where it is for a fixed length.
  void finish();

  double get_value() const { return base_ + dist_; }
  int get_remaining() const { return remaining_; }

private:
  void consume(int n);

  double dist_ = 0.0;
  double threshold_ = 0.01;
  double target_ = 0.0;
  double factor_ = 0.0;
  double base_ = 0.0;
  int remaining_ = 0;
  bool ends_on_target_ = true;
};

class EnvelopeGenerator {
public:
  enum State { kOff = 0, kAttack, kDecay, kSustain, kRelease, kNbrStates };

  EnvelopeGenerator();

  void set_sample_rate(double sample_rate);
  void set_attack_time(double seconds);
  void set_decay_time(double seconds);
  void set_sustain_time(double seconds);
  void set_sustain_level(double level);
  void set_release_time(double seconds);

  // Starts the attack from the current value.
  void trigger();
  void release();
  void reset();
  // Audio thread: count samples into out; zeros once the envelope is off.
  void render(float* out, int count);
  // a.render(out_a, count) then b.render(out_b, count), the stretch where
  // both stay within their segments in one loop, whose two multiplication
  // chains then overlap.
  static void render_pair(EnvelopeGenerator& a, float* out_a, EnvelopeGenerator& b, float* out_b,
                          int count);

  bool is_active() const { return state_ != kOff; }
  int get_state() const { return state_; }
  double get_value() const { return value_; }

private:
  void setup_attack();
  void setup_decay();
  void setup_sustain();
  void setup_release();
  // Starts the segment of `state` from the current value and moves past
  // segments that have nothing to do.
  void enter(int state);
  void restart_if_in(int state);
  // After `seg`, the current segment, rendered some samples.
  void settle(const ExpSegment& seg);

  double sample_rate_ = 44100.0;
  double attack_time_ = 0.005;
  double attack_curve_ = 1.5;
  double decay_time_ = 0.05;
  double sustain_time_ = 1999.0;
  double sustain_level_ = 0.75;
  double release_time_ = 0.1;
  double value_ = 0.0;
  int state_ = kOff;
  ExpSegment segments_[kNbrStates];  // index 0 unused
};

}  // namespace synth
