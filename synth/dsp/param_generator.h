#pragma once
// Parameters read by the generator stage and its noise generator (internal
// indices 33-41): tuning, pulse width, VCO 1 range, sync and noise colour.

#include "framework/params/param_numbered.h"
#include "framework/params/param_two_state_mixin.h"

// "VCO1 TuneC", "VCO2 TuneC": transposition -36..+36 semitones, continuous.
class ParamGenCoarseTune : public mppi::ParamNumbered {
public:
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

// "VCO1 TuneF", "VCO2 TuneF": detune -1..+1 semitone, shown in cents.
class ParamGenFineTune : public mppi::ParamNumbered {
public:
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

// "VCO1 PW", "VCO2 PW": pulse width as a fraction of the period, from 0.5
// (square) at the bottom of the control down to 0.05.
class ParamGenPulseWidth : public mppi::ParamNumbered {
public:
  void get_prefix(char* buf, int len) const override;
  void get_suffix(char* buf, int len) const override;
  void get_unit(char* buf, int len) const override;
  double conv_nrm_to_val(float nrm) const override;
  float conv_val_to_nrm(double val) const override;
  void conv_val_to_str(char* buf, int len, double val) const override;
  double conv_str_to_val(const char* txt, bool* ok) const override;
};

class ParamGenVco1Src : public mppi::ParamTwoStateMixin {
public:
  ParamGenVco1Src() : ParamTwoStateMixin("Audio", "LF") {}
  void get_name(char* buf, int len) const override;
};

class ParamGenVcoSync : public mppi::ParamTwoStateMixin {
public:
  ParamGenVcoSync() : ParamTwoStateMixin("Off", "On") {}
  void get_name(char* buf, int len) const override;
};

class ParamGenNoiseType : public mppi::ParamTwoStateMixin {
public:
  ParamGenNoiseType() : ParamTwoStateMixin("Pink", "White") {}
  void get_name(char* buf, int len) const override;
};
