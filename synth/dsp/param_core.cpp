#include "synth/dsp/param_core.h"

#include <cstdio>

#include "framework/params/param_text.h"

using mppi::copy_bounded;

void ParamGenPulseWidthModSrc::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCO"); }
void ParamGenPulseWidthModSrc::get_suffix(char* buf, int len) const { copy_bounded(buf, len, " PWM Src"); }

void ParamGenPulseWidthModLevel::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCO"); }
void ParamGenPulseWidthModLevel::get_suffix(char* buf, int len) const { copy_bounded(buf, len, " PWM Lvl"); }

void ParamGenVco1Fm1Src::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCO1 FM1 Src"); }
void ParamGenVco2Fm1Src::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCO2 FM1 Src"); }
void ParamGenVco1Fm2Src::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCO1 FM2 Src"); }
void ParamGenVco2Fm2Src::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCO2 FM2 Src"); }

void ParamGenVcoFmSetupBase::setup(double val, int src, int vco, int fm) {
  vco_ = vco;
  fm_ = fm;
  set_val(val, src);
}

void ParamGenVcoFmLevel::get_name(char* buf, int len) const {
  char txt[64];
  std::snprintf(txt, sizeof(txt), "VCO%d FM%d Lvl", get_vco() + 1, get_fm() + 1);
  copy_bounded(buf, len, txt);
}

void ParamCtrlKybdPortamento::get_name(char* buf, int len) const { copy_bounded(buf, len, "Portamento"); }

void ParamMixerVcfModSrc1::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCF Mod1 Src"); }
void ParamMixerVcfModSrc2::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCF Mod2 Src"); }
void ParamMixerVcfModSrc3::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCF Mod3 Src"); }

void ParamMixerVcfSrcLevel::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCF Mod"); }
void ParamMixerVcfSrcLevel::get_suffix(char* buf, int len) const { copy_bounded(buf, len, " Lvl"); }

void ParamShTrigger::get_name(char* buf, int len) const { copy_bounded(buf, len, "S/H Trig"); }
void ParamGenMonoMode::get_name(char* buf, int len) const { copy_bounded(buf, len, "Osc Mode"); }
