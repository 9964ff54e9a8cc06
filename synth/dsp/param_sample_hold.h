#pragma once
// Parameters read by the sample-and-hold stage (internal indices 42-46).

#include "framework/params/param_gain_mixin.h"
#include "framework/params/param_time_mixin.h"
#include "framework/params/param_two_state_mixin.h"

class ParamShLag : public mppi::ParamTimeMixin<mppi::ZeroTimeParamMapper<2000>> {
public:
  void get_name(char* buf, int len) const override;
};

class ParamShMixerSrc1 : public mppi::ParamTwoStateMixin {
public:
  ParamShMixerSrc1() : ParamTwoStateMixin("VCO1Sq", "VCO1Saw") {}
  void get_name(char* buf, int len) const override;
};

class ParamShMixerSrc1Level : public mppi::ParamGainMixin {
public:
  void get_name(char* buf, int len) const override;
};

class ParamShMixerSrc2 : public mppi::ParamTwoStateMixin {
public:
  ParamShMixerSrc2() : ParamTwoStateMixin("VCO2Sq", "Noise") {}
  void get_name(char* buf, int len) const override;
};

class ParamShMixerSrc2Level : public mppi::ParamGainMixin {
public:
  void get_name(char* buf, int len) const override;
};
