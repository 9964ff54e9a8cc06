#include "synth/dsp/param_mixer.h"

#include "framework/params/param_text.h"

using mppi::copy_bounded;

void ParamMixerSrc1::get_name(char* buf, int len) const { copy_bounded(buf, len, "Mix Src1"); }
void ParamMixerSrc2::get_name(char* buf, int len) const { copy_bounded(buf, len, "Mix Src2"); }
void ParamMixerSrc3::get_name(char* buf, int len) const { copy_bounded(buf, len, "Mix Src3"); }

void ParamMixerSrcLevel::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "Mix"); }
void ParamMixerSrcLevel::get_suffix(char* buf, int len) const { copy_bounded(buf, len, "Lvl"); }

void ParamMixerVcfCutoff::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCF "); }
void ParamMixerVcfReso::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCF Reso"); }
void ParamMixerHpfCutoff::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "HPF "); }
void ParamMixerVcaGain::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCA Gain"); }
void ParamMixerVcaModSrc::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCA Env"); }
void ParamMixerVcaModGain::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCA Env Lvl"); }
void ParamVeloVcaSens::get_name(char* buf, int len) const { copy_bounded(buf, len, "Velo-VCA Sens"); }
void ParamVeloVcfCutoffSens::get_name(char* buf, int len) const { copy_bounded(buf, len, "Velo-VCF Sens"); }
void ParamMixerA440::get_name(char* buf, int len) const { copy_bounded(buf, len, "A440 Tone"); }
