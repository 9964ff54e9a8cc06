#pragma once
// Noise source of the voice, pink or white, at the doubled rate. A cheap
// integer generator gives flat noise in ±[1, 2); one of two second-order
// sections colours it.

#include <cstdint>
#include <memory>

#include "framework/params/normalized_param_interface.h"
#include "synth/dsp/deferred_recursion.h"
#include "synth/params/param_classes.h"

namespace mppi { class PluginInternal; }

namespace synth {

class NoiseGen {
public:
  // Second-order section designed from an analogue prototype
  // (n0 + n1 s + n2 s²) / (d0 + d1 s + d2 s²), s normalised to the cutoff,
  // by the bilinear transform with the cutoff prewarped.
  class Section {
  public:
    void set_prototype(double n0, double n1, double n2, double d0, double d1, double d2);
    void set_freq(double cutoff, double sample_rate);
    void clear();
    void process(float* buf, int count);
    float process_sample(float x);
    // process in two halves: the feed-forward sums in place, then the
    // recursion over them, run at once or later.
    void feed_forward(float* buf, int count);
    DeferredRecursion recursion(float* buf, int count) const;
    void take_state(const DeferredRecursion& recursion);

  private:
    void update_coefs();

    double n_[3] = {1.0, 2.0, 1.0};
    double d_[3] = {1.0, 2.0, 1.0};
    double fc_ = 1000.0;
    double fs_ = 44100.0;
    float b0_ = 1.0f;
    float b1_ = 0.0f;
    float b2_ = 0.0f;
    float a1_ = 0.0f;
    float a2_ = 0.0f;
    float x1_ = 0.0f;
    float x2_ = 0.0f;
    float y1_ = 0.0f;
    float y2_ = 0.0f;
  };

  NoiseGen();
  virtual ~NoiseGen() = default;
  NoiseGen(const NoiseGen&) = delete;
  NoiseGen& operator=(const NoiseGen&) = delete;

  // Set-up: creates "Noise Type".
  void create_params(mppi::PluginInternal& registry);
  // Undoes create_params: lets go of "Noise Type"; pink until created again.
  void release_params();
  bool has_noise_type() const { return noise_type_ != nullptr; }
  // The doubled rate.
  void set_sample_rate(double sample_rate);
  // Clears the filter memory; the generator sequence goes on.
  void reset();

  // Audio thread: applies a changed noise type.
  void update();
  void generate(float* out, int count);
  // generate, its recursion left in `tail` to be run before finish_deferred.
  void generate_deferred(float* out, int count, DeferredRecursion& tail);
  // Runs what is left of `tail` and takes its state; before any other call
  // that renders noise.
  void finish_deferred(DeferredRecursion& tail);
  float generate_sample();

  // Flat noise, one value per call: ±(1 + k/128).
  float next_white();
  bool is_pink() const { return active_ == &pink_; }

private:
  void select_filter();
  void generate_white(float* out, int count);

  float sample_rate_ = 44100.0f;
  std::shared_ptr<ParamGenNoiseType> noise_type_;
  mppi::NotificationFlag flag_noise_;
  uint32_t state_ = 1;
  uint32_t amplitude_bits_ = 0;
  Section pink_;
  Section white_;
  Section* active_ = &pink_;
  Section* deferred_section_ = nullptr;  // whose recursion a tail holds
};

}  // namespace synth
