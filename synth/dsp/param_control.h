#pragma once
// Parameters read by the control stage (internal indices 21-32): the ADSR and
// AR envelopes and the LFO.

#include <atomic>

#include "framework/params/param_gain_mixin.h"
#include "framework/params/param_lfo_repeat_mixin.h"
#include "framework/params/param_time_mixin.h"
#include "framework/params/param_two_state_mixin.h"

using ParamEnvTimeMixin = mppi::ParamTimeMixin<mppi::EnvTimeParamMapper<5, 20000>>;

class ParamCtrlAdsrAttackTime : public ParamEnvTimeMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlAdsrDecayTime : public ParamEnvTimeMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlAdsrSustainLevel : public mppi::ParamGainMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlAdsrReleaseTime : public ParamEnvTimeMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlAdsrRepeat : public mppi::ParamLfoRepeatMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlAdsrAutoRepeat : public mppi::ParamTwoStateMixin {
public:
  ParamCtrlAdsrAutoRepeat() : ParamTwoStateMixin("Kbd Rep", "Auto Rep") {}
  void get_name(char* buf, int len) const override;
};

class ParamCtrlArAttackTime : public ParamEnvTimeMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlArReleaseTime : public ParamEnvTimeMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlArRepeat : public mppi::ParamLfoRepeatMixin {
public:
  void get_name(char* buf, int len) const override;
};

// LFO rate 0.2..20 Hz. In tempo mode the natural value stays in hertz (at
// 120 bpm) while the text shows and takes the period in beats (2 / Hz).
class ParamCtrlLfoPer : public mppi::NormalizedParamInterface {
public:
  static constexpr double kMinHz = 0.2;
  static constexpr double kMaxHz = 20.0;

  // Control stage (audio thread), from "LFO Tempo Sync"; read by text calls.
  void set_tempo_mode(bool on) { tempo_mode_.store(on, std::memory_order_relaxed); }
  bool is_tempo_mode() const { return tempo_mode_.load(std::memory_order_relaxed); }

  void get_name(char* buf, int len) const override;
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;

private:
  std::atomic<bool> tempo_mode_{false};
};

class ParamCtrlLfoTempoSync : public mppi::ParamTwoStateMixin {
public:
  ParamCtrlLfoTempoSync() : ParamTwoStateMixin("Off", "On") {}
  void get_name(char* buf, int len) const override;
};

class ParamCtrlLfoKeyRetrig : public mppi::ParamTwoStateMixin {
public:
  ParamCtrlLfoKeyRetrig() : ParamTwoStateMixin("On", "Off") {}
  void get_name(char* buf, int len) const override;
};
