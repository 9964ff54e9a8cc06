#pragma once
// Exponential glide towards a target: per sample the remaining distance is
// multiplied by a constant so that 1 % is left after the glide time; at that
// point the glide lands on the target.

namespace synth {

class PortamentoGlide {
public:
  void set_sample_rate(double rate);
  // Seconds; 0 makes every new target immediate.
  void set_time(double seconds);
  // Starts a glide from the value reached now.
  void set_target(double target);
  // Jumps to value without gliding.
  void jump_to(double value);
  void advance(int nbr_samples);

  bool is_moving() const { return start_ != target_ && remaining_ > kThreshold; }
  double get_value() const { return target_ + (start_ - target_) * remaining_; }
  double get_target() const { return target_; }
  double get_time() const { return time_; }

private:
  static constexpr double kThreshold = 0.01;

  void update_factor();

  double sample_rate_ = 44100.0;
  double time_ = 0.1;
  double factor_ = 0.0;
  double start_ = 0.0;
  double target_ = 0.0;
  double remaining_ = 0.0;  // fraction of the jump still to go, 1 -> 0
};

}  // namespace synth
