#include "synth/dsp/param_generator.h"

#include <algorithm>
#include <cstdio>

#include "framework/params/param_text.h"

using mppi::copy_bounded;

namespace {

void print_to(char* buf, int len, const char* format, double x) {
  char txt[400];
  std::snprintf(txt, sizeof(txt), format, x);
  copy_bounded(buf, len, txt);
}

}  // namespace

void ParamGenCoarseTune::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCO"); }
void ParamGenCoarseTune::get_suffix(char* buf, int len) const { copy_bounded(buf, len, " TuneC"); }
void ParamGenCoarseTune::get_unit(char* buf, int len) const { copy_bounded(buf, len, "ST"); }
double ParamGenCoarseTune::conv_nrm_to_val(float nrm) const { return 72.0 * nrm - 36.0; }
float ParamGenCoarseTune::conv_val_to_nrm(double val) const { return static_cast<float>((val + 36.0) / 72.0); }
void ParamGenCoarseTune::conv_val_to_str(char* buf, int len, double val) const { print_to(buf, len, "%+2.2f", val); }

double ParamGenCoarseTune::conv_str_to_val(const char* txt, bool* ok) const {
  double semitones = 0.0;
  if (!mppi::scan_number(txt, semitones)) return 0.0;
  *ok = true;
  return std::clamp(semitones, -36.0, 36.0);
}

void ParamGenFineTune::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCO"); }
void ParamGenFineTune::get_suffix(char* buf, int len) const { copy_bounded(buf, len, " TuneF"); }
void ParamGenFineTune::get_unit(char* buf, int len) const { copy_bounded(buf, len, "Cnt"); }
double ParamGenFineTune::conv_nrm_to_val(float nrm) const { return 2.0 * nrm - 1.0; }
float ParamGenFineTune::conv_val_to_nrm(double val) const { return static_cast<float>((val + 1.0) * 0.5); }
void ParamGenFineTune::conv_val_to_str(char* buf, int len, double val) const { print_to(buf, len, "%-.1f", 100.0 * val); }

double ParamGenFineTune::conv_str_to_val(const char* txt, bool* ok) const {
  double cents = 0.0;
  if (!mppi::scan_number(txt, cents)) return 0.0;
  *ok = true;
  return std::clamp(cents, -100.0, 100.0) / 100.0;
}

void ParamGenPulseWidth::get_prefix(char* buf, int len) const { copy_bounded(buf, len, "VCO"); }
void ParamGenPulseWidth::get_suffix(char* buf, int len) const { copy_bounded(buf, len, " PW"); }
void ParamGenPulseWidth::get_unit(char* buf, int len) const { copy_bounded(buf, len, "%"); }
double ParamGenPulseWidth::conv_nrm_to_val(float nrm) const { return std::max(0.05, 0.5 - 0.45 * nrm); }

float ParamGenPulseWidth::conv_val_to_nrm(double val) const {
  return static_cast<float>((val - 0.5) * -2.2222222222222223);
}

void ParamGenPulseWidth::conv_val_to_str(char* buf, int len, double val) const { print_to(buf, len, "%.1f", 100.0 * val); }

double ParamGenPulseWidth::conv_str_to_val(const char* txt, bool* ok) const {
  double percent = 0.0;
  if (!mppi::scan_number(txt, percent)) return 0.0;
  *ok = true;
  return std::clamp(percent, 5.0, 50.0) / 100.0;
}

void ParamGenVco1Src::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCO1 Src"); }
void ParamGenVcoSync::get_name(char* buf, int len) const { copy_bounded(buf, len, "VCO2 Sync"); }
void ParamGenNoiseType::get_name(char* buf, int len) const { copy_bounded(buf, len, "Noise Type"); }
