#pragma once
// Parameters read by the synth core (internal indices 0-20): modulation
// routing of the oscillators and the filter, and the keyboard.

#include "framework/params/param_level_mixin.h"
#include "framework/params/param_numbered.h"
#include "framework/params/param_time_mixin.h"
#include "framework/params/param_two_state_mixin.h"

// "VCO1 PWM Src", "VCO2 PWM Src": the host may park it between the states,
// and the natural value keeps that position (no rounding).
class ParamGenPulseWidthModSrc : public mppi::ParamNumbered, public mppi::ParamTwoStateMixin {
public:
  ParamGenPulseWidthModSrc() : ParamTwoStateMixin("ADSR", "LFO Sine") {}
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override { return nrm; }
};

// "VCO1 PWM Lvl", "VCO2 PWM Lvl"
class ParamGenPulseWidthModLevel : public mppi::ParamNumbered, public mppi::ParamLevelMixin {
public:
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
};

class ParamGenVco1Fm1Src : public mppi::ParamTwoStateMixin {
public:
  ParamGenVco1Fm1Src() : ParamTwoStateMixin("LFO Sq", "LFO Sine") {}
  void get_name(char* buf, int len) const override;
};

class ParamGenVco2Fm1Src : public mppi::ParamTwoStateMixin {
public:
  ParamGenVco2Fm1Src() : ParamTwoStateMixin("S/H Mixer", "LFO Sine") {}
  void get_name(char* buf, int len) const override;
};

class ParamGenVco1Fm2Src : public mppi::ParamTwoStateMixin {
public:
  ParamGenVco1Fm2Src() : ParamTwoStateMixin("ADSR", "S/H") {}
  void get_name(char* buf, int len) const override;
};

class ParamGenVco2Fm2Src : public mppi::ParamTwoStateMixin {
public:
  ParamGenVco2Fm2Src() : ParamTwoStateMixin("ADSR", "S/H") {}
  void get_name(char* buf, int len) const override;
};

// A parameter identified by an oscillator and one of its modulation inputs.
class ParamGenVcoFmSetupBase : public virtual mppi::NormalizedParamInterface {
public:
  // Set-up (once, at creation): stores vco and fm, then does what set_val does.
  virtual void setup(double val, int src, int vco, int fm);
  int get_vco() const { return vco_; }
  int get_fm() const { return fm_; }

private:
  int vco_ = -1;
  int fm_ = -1;
};

// "VCO1 FM1 Lvl" ... "VCO2 FM2 Lvl"
class ParamGenVcoFmLevel : public ParamGenVcoFmSetupBase, public mppi::ParamLevelMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamCtrlKybdPortamento : public mppi::ParamTimeMixin<mppi::ZeroTimeParamMapper<1500>> {
public:
  void get_name(char* buf, int len) const override;
};

class ParamMixerVcfModSrc1 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerVcfModSrc1() : ParamTwoStateMixin("S/H Mixer", "Keyboard") {}
  void get_name(char* buf, int len) const override;
};

class ParamMixerVcfModSrc2 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerVcfModSrc2() : ParamTwoStateMixin("LFO Sine", "S/H") {}
  void get_name(char* buf, int len) const override;
};

class ParamMixerVcfModSrc3 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerVcfModSrc3() : ParamTwoStateMixin("AR", "ADSR") {}
  void get_name(char* buf, int len) const override;
};

// "VCF Mod1 Lvl" ... "VCF Mod3 Lvl"
class ParamMixerVcfSrcLevel : public mppi::ParamNumbered, public mppi::ParamLevelMixin {
public:
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
};

class ParamShTrigger : public mppi::ParamTwoStateMixin {
public:
  ParamShTrigger() : ParamTwoStateMixin("Keyboard", "LFO") {}
  void get_name(char* buf, int len) const override;
};

class ParamGenMonoMode : public mppi::ParamTwoStateMixin {
public:
  ParamGenMonoMode() : ParamTwoStateMixin("Duo", "Mono") {}
  void get_name(char* buf, int len) const override;
};
