#pragma once
// Parameters read by the mixer stage (internal indices 47-61): sources and
// levels, low-pass and high-pass filters, amplifier, velocity, A440 tone.

#include "framework/params/param_filter_cutoff_mixin.h"
#include "framework/params/param_gain_mixin.h"
#include "framework/params/param_level_mixin.h"
#include "framework/params/param_numbered.h"
#include "framework/params/param_two_state_mixin.h"

class ParamMixerSrc1 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerSrc1() : ParamTwoStateMixin("RingMod", "Noise") {}
  void get_name(char* buf, int len) const override;
};

class ParamMixerSrc2 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerSrc2() : ParamTwoStateMixin("VCO1Sq", "VCO1Saw") {}
  void get_name(char* buf, int len) const override;
};

class ParamMixerSrc3 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerSrc3() : ParamTwoStateMixin("VCO2Sq", "VCO2Saw") {}
  void get_name(char* buf, int len) const override;
};

// "Mix1Lvl" ... "Mix3Lvl"
class ParamMixerSrcLevel : public mppi::ParamNumbered, public mppi::ParamGainMixin {
public:
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
};

// "VCF Freq" (set up with an empty middle part)
class ParamMixerVcfCutoff : public mppi::ParamFilterCutoffMixin {
public:
  void get_prefix(char* buf, int len) const override;
};

class ParamMixerVcfReso : public mppi::ParamLevelMixin {
public:
  void get_name(char* buf, int len) const override;
};

// "HPF Freq" (set up with an empty middle part)
class ParamMixerHpfCutoff : public mppi::ParamFilterCutoffMixin {
public:
  void get_prefix(char* buf, int len) const override;
};

class ParamMixerVcaGain : public mppi::ParamGainMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamMixerVcaModSrc : public mppi::ParamTwoStateMixin {
public:
  ParamMixerVcaModSrc() : ParamTwoStateMixin("AR", "ADSR") {}
  void get_name(char* buf, int len) const override;
};

class ParamMixerVcaModGain : public mppi::ParamGainMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamVeloVcaSens : public mppi::ParamLevelMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamVeloVcfCutoffSens : public mppi::ParamLevelMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamMixerA440 : public mppi::ParamTwoStateMixin {
public:
  ParamMixerA440() : ParamTwoStateMixin("Off", "On") {}
  void get_name(char* buf, int len) const override;
};
