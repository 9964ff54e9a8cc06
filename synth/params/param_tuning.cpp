#include "synth/params/param_tuning.h"

#include <algorithm>
#include <cstdio>

#include "framework/params/param_text.h"

namespace synth {
namespace {

void print_to(char* buf, int len, const char* format, double x) {
  char txt[400];
  std::snprintf(txt, sizeof(txt), format, x);
  mppi::copy_bounded(buf, len, txt);
}

}  // namespace

void CoarseTuneMixin::get_unit(char* buf, int len) const { mppi::copy_bounded(buf, len, "ST"); }
double CoarseTuneMixin::conv_nrm_to_val(float nrm) const { return 72.0 * nrm - 36.0; }
float CoarseTuneMixin::conv_val_to_nrm(double val) const { return static_cast<float>((val + 36.0) / 72.0); }
void CoarseTuneMixin::conv_val_to_str(char* buf, int len, double val) const { print_to(buf, len, "%+2.2f", val); }

double CoarseTuneMixin::conv_str_to_val(const char* txt, bool* ok) const {
  double semitones = 0.0;
  if (!mppi::scan_number(txt, semitones)) return 0.0;
  *ok = true;
  return std::clamp(semitones, -36.0, 36.0);
}

void FineTuneMixin::get_unit(char* buf, int len) const { mppi::copy_bounded(buf, len, "Cnt"); }
double FineTuneMixin::conv_nrm_to_val(float nrm) const { return 2.0 * nrm - 1.0; }
float FineTuneMixin::conv_val_to_nrm(double val) const { return static_cast<float>((val + 1.0) * 0.5); }
void FineTuneMixin::conv_val_to_str(char* buf, int len, double val) const { print_to(buf, len, "%-.1f", 100.0 * val); }

double FineTuneMixin::conv_str_to_val(const char* txt, bool* ok) const {
  double cents = 0.0;
  if (!mppi::scan_number(txt, cents)) return 0.0;
  *ok = true;
  return std::clamp(cents, -100.0, 100.0) / 100.0;
}

}  // namespace synth
