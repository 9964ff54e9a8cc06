#include "synth/dsp/param_sample_hold.h"

#include "framework/params/param_text.h"

using mppi::copy_bounded;

void ParamShLag::get_name(char* buf, int len) const { copy_bounded(buf, len, "S/H Lag"); }
void ParamShMixerSrc1::get_name(char* buf, int len) const { copy_bounded(buf, len, "S/H Mix1 Src"); }
void ParamShMixerSrc1Level::get_name(char* buf, int len) const { copy_bounded(buf, len, "S/H Mix1 Lvl"); }
void ParamShMixerSrc2::get_name(char* buf, int len) const { copy_bounded(buf, len, "S/H Mix2 Src"); }
void ParamShMixerSrc2Level::get_name(char* buf, int len) const { copy_bounded(buf, len, "S/H Mix2 Lvl"); }
