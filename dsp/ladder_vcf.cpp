#include "dsp/ladder_vcf.h"

#include <cmath>

namespace dsp {

LadderVcf::LadderVcf() {
  set_resonance(resonance_);
  limiter_.set_attack(0.001f);
  limiter_.set_hold(0.0f);
  limiter_.set_release(0.01f);
  limiter_.reset();
}

void LadderVcf::set_sample_rate(float fs) {
  sample_rate_ = fs;
  section_a_.set_sample_rate(fs);
  section_b_.set_sample_rate(fs);
  limiter_.set_sample_rate(fs);
  update_coefs();
}

void LadderVcf::set_resonance(float r) {
  resonance_ = r;
  // Negative r has no meaning and would make g NaN.
  const float g = std::sqrt(4.05f * (r > 0.0f ? r : 0.0f));
  const float q = std::sqrt(2.0f * g);
  const float a[6] = {1.0f, 0.0f, 0.0f, 1.0f + g - q, 2.0f - q, 1.0f};
  const float b[6] = {1.0f, 0.0f, 0.0f, 1.0f + g + q, 2.0f + q, 1.0f};
  for (int i = 0; i < 6; ++i) {
    proto_a_[i] = a[i];
    proto_b_[i] = b[i];
  }
  section_a_.set_prototype(a[0], a[1], a[2], a[3], a[4], a[5]);
  section_b_.set_prototype(b[0], b[1], b[2], b[3], b[4], b[5]);
  changed_ = true;
}

void LadderVcf::set_cutoff(float fc) {
  cutoff_ = fc;
  section_a_.set_cutoff(fc);
  section_b_.set_cutoff(fc);
}

void LadderVcf::update_coefs() {
  section_a_.update_coefs();
  section_b_.update_coefs();
  changed_ = false;
}

void LadderVcf::update_coefs_fast() {
  section_a_.update_coefs_fast();
  section_b_.update_coefs_fast();
  changed_ = false;
}

void LadderVcf::process(float* buf, int n) {
  Kernel k = begin_block();
  for (int i = 0; i < n; ++i) buf[i] = k.tick(buf[i]);
  store(k);
}

void LadderVcf::clear() {
  section_a_.clear();
  section_b_.clear();
  limiter_.reset();
}

}  // namespace dsp
