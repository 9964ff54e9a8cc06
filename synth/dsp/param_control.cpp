#include "synth/dsp/param_control.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/params/param_text.h"

using mppi::copy_bounded;

void ParamCtrlAdsrAttackTime::get_name(char* buf, int len) const { copy_bounded(buf, len, "ADSR Atk Time"); }
void ParamCtrlAdsrDecayTime::get_name(char* buf, int len) const { copy_bounded(buf, len, "ADSR Dcy Time"); }
void ParamCtrlAdsrSustainLevel::get_name(char* buf, int len) const { copy_bounded(buf, len, "ADSR Sus Lvl"); }
void ParamCtrlAdsrReleaseTime::get_name(char* buf, int len) const { copy_bounded(buf, len, "ADSR Rel Time"); }
void ParamCtrlAdsrRepeat::get_name(char* buf, int len) const { copy_bounded(buf, len, "ADSR LFO Rep"); }
void ParamCtrlAdsrAutoRepeat::get_name(char* buf, int len) const { copy_bounded(buf, len, "ADSR Auto-Rep"); }
void ParamCtrlArAttackTime::get_name(char* buf, int len) const { copy_bounded(buf, len, "AR Atk Time"); }
void ParamCtrlArReleaseTime::get_name(char* buf, int len) const { copy_bounded(buf, len, "AR Rel Time"); }
void ParamCtrlArRepeat::get_name(char* buf, int len) const { copy_bounded(buf, len, "AR LFO Re"); }
void ParamCtrlLfoTempoSync::get_name(char* buf, int len) const { copy_bounded(buf, len, "LFO Tempo Sync"); }
void ParamCtrlLfoKeyRetrig::get_name(char* buf, int len) const { copy_bounded(buf, len, "LFO Key Trig"); }

namespace {
constexpr double kLnRateSpan = 4.605170185988092;  // ln(100): 0.2 Hz to 20 Hz
}

void ParamCtrlLfoPer::get_name(char* buf, int len) const { copy_bounded(buf, len, "LFO Freq"); }

void ParamCtrlLfoPer::get_unit(char* buf, int len) const {
  copy_bounded(buf, len, is_tempo_mode() ? "Beat" : "Hz");
}

double ParamCtrlLfoPer::conv_nrm_to_val(float nrm) const {
  return std::min(kMinHz * std::exp(nrm * kLnRateSpan), kMaxHz);
}

float ParamCtrlLfoPer::conv_val_to_nrm(double val) const {
  return static_cast<float>(std::log(val / kMinHz) / kLnRateSpan);
}

void ParamCtrlLfoPer::conv_val_to_str(char* buf, int len, double val) const {
  if (len <= 0) return;
  if (is_tempo_mode()) {
    if (len - 1 < 5) {
      copy_bounded(buf, len, "");
      return;
    }
    mppi::format_fraction(buf, 2.0 / val, len - 1);
    return;
  }
  char txt[400];
  std::snprintf(txt, sizeof(txt), "%.3f", val);
  copy_bounded(buf, len, txt);
}

double ParamCtrlLfoPer::conv_str_to_val(const char* txt, bool* ok) const {
  double x = 0.0;
  if (!mppi::scan_number(txt, x)) return 0.0;
  *ok = true;
  if (is_tempo_mode() && x != 0.0) x = 2.0 / x;
  return std::clamp(x, kMinHz, kMaxHz);
}
