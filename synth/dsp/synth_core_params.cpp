#include "synth/dsp/synth_core_params.h"

#include <memory>

#include "framework/core/plugin_internal.h"
#include "synth/dsp/param_core.h"

namespace {
// Initial natural values in index order; the sources at 1 are "LFO Sine"
// for the FM 1 inputs and "Keyboard" for the first filter input.
constexpr double kInitialValues[SynthCoreParams::kNbrParams] = {
    0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
}  // namespace

void SynthCoreParams::create(mppi::PluginInternal& registry, SynthCoreFlags& flags) {
  auto vco1_pwm_src_h = std::make_shared<ParamGenPulseWidthModSrc>();
  auto vco2_pwm_src_h = std::make_shared<ParamGenPulseWidthModSrc>();
  auto vco1_pwm_lvl_h = std::make_shared<ParamGenPulseWidthModLevel>();
  auto vco2_pwm_lvl_h = std::make_shared<ParamGenPulseWidthModLevel>();
  auto vco1_fm1_src_h = std::make_shared<ParamGenVco1Fm1Src>();
  auto vco2_fm1_src_h = std::make_shared<ParamGenVco2Fm1Src>();
  auto vco1_fm2_src_h = std::make_shared<ParamGenVco1Fm2Src>();
  auto vco2_fm2_src_h = std::make_shared<ParamGenVco2Fm2Src>();
  auto vco1_fm1_lvl_h = std::make_shared<ParamGenVcoFmLevel>();
  auto vco2_fm1_lvl_h = std::make_shared<ParamGenVcoFmLevel>();
  auto vco1_fm2_lvl_h = std::make_shared<ParamGenVcoFmLevel>();
  auto vco2_fm2_lvl_h = std::make_shared<ParamGenVcoFmLevel>();
  auto portamento_h = std::make_shared<ParamCtrlKybdPortamento>();
  auto vcf_mod1_src_h = std::make_shared<ParamMixerVcfModSrc1>();
  auto vcf_mod2_src_h = std::make_shared<ParamMixerVcfModSrc2>();
  auto vcf_mod3_src_h = std::make_shared<ParamMixerVcfModSrc3>();
  auto vcf_mod1_lvl_h = std::make_shared<ParamMixerVcfSrcLevel>();
  auto vcf_mod2_lvl_h = std::make_shared<ParamMixerVcfSrcLevel>();
  auto vcf_mod3_lvl_h = std::make_shared<ParamMixerVcfSrcLevel>();
  auto sh_trig_h = std::make_shared<ParamShTrigger>();
  auto osc_mode_h = std::make_shared<ParamGenMonoMode>();

  vco1_pwm_src = vco1_pwm_src_h.get();
  vco2_pwm_src = vco2_pwm_src_h.get();
  vco1_pwm_lvl = vco1_pwm_lvl_h.get();
  vco2_pwm_lvl = vco2_pwm_lvl_h.get();
  vco1_fm1_src = vco1_fm1_src_h.get();
  vco2_fm1_src = vco2_fm1_src_h.get();
  vco1_fm2_src = vco1_fm2_src_h.get();
  vco2_fm2_src = vco2_fm2_src_h.get();
  vco1_fm1_lvl = vco1_fm1_lvl_h.get();
  vco2_fm1_lvl = vco2_fm1_lvl_h.get();
  vco1_fm2_lvl = vco1_fm2_lvl_h.get();
  vco2_fm2_lvl = vco2_fm2_lvl_h.get();
  portamento = portamento_h.get();
  vcf_mod1_src = vcf_mod1_src_h.get();
  vcf_mod2_src = vcf_mod2_src_h.get();
  vcf_mod3_src = vcf_mod3_src_h.get();
  vcf_mod1_lvl = vcf_mod1_lvl_h.get();
  vcf_mod2_lvl = vcf_mod2_lvl_h.get();
  vcf_mod3_lvl = vcf_mod3_lvl_h.get();
  sh_trig = sh_trig_h.get();
  osc_mode = osc_mode_h.get();

  vco1_pwm_src->setup(kInitialValues[0], 0, 0);
  vco2_pwm_src->setup(kInitialValues[1], 0, 1);
  vco1_pwm_lvl->setup(kInitialValues[2], 0, 0);
  vco2_pwm_lvl->setup(kInitialValues[3], 0, 1);
  vco1_fm1_src->set_val(kInitialValues[4], 0);
  vco2_fm1_src->set_val(kInitialValues[5], 0);
  vco1_fm2_src->set_val(kInitialValues[6], 0);
  vco2_fm2_src->set_val(kInitialValues[7], 0);
  vco1_fm1_lvl->setup(kInitialValues[8], 0, 0, 0);
  vco2_fm1_lvl->setup(kInitialValues[9], 0, 1, 0);
  vco1_fm2_lvl->setup(kInitialValues[10], 0, 0, 1);
  vco2_fm2_lvl->setup(kInitialValues[11], 0, 1, 1);
  portamento->set_val(kInitialValues[12], 0);
  vcf_mod1_src->set_val(kInitialValues[13], 0);
  vcf_mod2_src->set_val(kInitialValues[14], 0);
  vcf_mod3_src->set_val(kInitialValues[15], 0);
  vcf_mod1_lvl->setup(kInitialValues[16], 0, 0);
  vcf_mod2_lvl->setup(kInitialValues[17], 0, 1);
  vcf_mod3_lvl->setup(kInitialValues[18], 0, 2);
  sh_trig->set_val(kInitialValues[19], 0);
  osc_mode->set_val(kInitialValues[20], 0);

  const std::shared_ptr<mppi::NormalizedParamInterface> handles[kNbrParams] = {
      vco1_pwm_src_h, vco2_pwm_src_h, vco1_pwm_lvl_h, vco2_pwm_lvl_h, vco1_fm1_src_h,
      vco2_fm1_src_h, vco1_fm2_src_h, vco2_fm2_src_h, vco1_fm1_lvl_h, vco2_fm1_lvl_h,
      vco1_fm2_lvl_h, vco2_fm2_lvl_h, portamento_h,   vcf_mod1_src_h, vcf_mod2_src_h,
      vcf_mod3_src_h, vcf_mod1_lvl_h, vcf_mod2_lvl_h, vcf_mod3_lvl_h, sh_trig_h,
      osc_mode_h};
  for (int i = 0; i < kNbrParams; ++i) {
    registry.register_and_add(handles[i]);
    list_[i] = handles[i].get();
  }

  mppi::NotificationFlag* const groups[kNbrParams] = {
      &flags.vco1_pwm,   &flags.vco2_pwm,   &flags.vco1_pwm,   &flags.vco2_pwm,
      &flags.vco1_mod,   &flags.vco2_mod,   &flags.vco1_mod,   &flags.vco2_mod,
      &flags.vco1_mod,   &flags.vco2_mod,   &flags.vco1_mod,   &flags.vco2_mod,
      &flags.keyboard,   &flags.filter_mod, &flags.filter_mod, &flags.filter_mod,
      &flags.filter_mod, &flags.filter_mod, &flags.filter_mod, &flags.keyboard,
      &flags.keyboard};
  for (int i = 0; i < kNbrParams; ++i) list_[i]->notified = groups[i];
}

void SynthCoreParams::set_start_values() {
  for (int i = 0; i < kNbrParams; ++i) {
    mppi::NormalizedParamInterface* param = list_[i];
    if (param == nullptr) continue;
    param->set_val(kInitialValues[i], 0);
    if (param->notified != nullptr) param->notified->notify(param);
  }
}
