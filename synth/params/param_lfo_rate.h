#pragma once
// LFO rate 0.2..20 Hz. In tempo mode the natural value stays in hertz (at
// 120 bpm) while the text shows and takes the period in beats (2 / Hz).

#include <atomic>

#include "framework/params/named_param.h"

namespace synth {

class LfoRateMixin : public virtual mppi::NormalizedParamInterface {
public:
  static constexpr double kMinHz = 0.2;
  static constexpr double kMaxHz = 20.0;

  // Control stage (audio thread), from "LFO Tempo Sync"; read by text calls.
  void set_tempo_mode(bool on) { tempo_mode_.store(on, std::memory_order_relaxed); }
  bool is_tempo_mode() const { return tempo_mode_.load(std::memory_order_relaxed); }

  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;

private:
  std::atomic<bool> tempo_mode_{false};
};

using ParamLfoRate = mppi::NamedParam<LfoRateMixin>;

}  // namespace synth
