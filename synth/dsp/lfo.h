#pragma once
// Control-rate LFO: a phase in radians advanced per slice, with the
// distance to the next half-cycle boundary so that slices can end there.

namespace synth {

class Lfo {
public:
  static constexpr double kTwoPi = 6.283185307179586;
  static constexpr double kPi = 3.141592653589793;

  void set_sample_rate(float sample_rate);
  // Free running: rate in hertz. Tempo sync: rate in cycles per two beats.
  void set_rate(float rate);
  void set_tempo_sync(bool on);
  // Ignores tempos that are not positive and finite.
  void set_tempo(float bpm);

  void restart() { phase_ = 0.0; }
  void advance(int nbr_samples);

  double get_phase() const { return phase_; }
  float get_increment() const { return increment_; }
  // Whole samples before the phase reaches π or 2π; 0 when it is within a
  // sample of one of them.
  int samples_to_boundary() const;
  // Samples in one cycle at the nominal rate.
  int period_samples() const;

private:
  void update_increment();

  float sample_rate_ = 44100.0f;
  float tempo_ = 120.0f;
  float rate_ = 1.0f;
  bool tempo_sync_ = false;
  double phase_ = 0.0;
  float increment_ = 0.0f;
  float samples_per_radian_ = 0.0f;
};

}  // namespace synth
