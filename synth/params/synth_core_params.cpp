#include "synth/params/synth_core_params.h"

#include "synth/params/param_creator.h"

namespace synth {

void SynthCoreParams::create(mppi::PluginInternal& registry, SynthCoreFlags& flags) {
  ParamCreator params(registry, {{ParamGroup::kCoreVco1Pwm, &flags.vco1_pwm},
                                 {ParamGroup::kCoreVco2Pwm, &flags.vco2_pwm},
                                 {ParamGroup::kCoreVco1Fm, &flags.vco1_mod},
                                 {ParamGroup::kCoreVco2Fm, &flags.vco2_mod},
                                 {ParamGroup::kCoreFilterMod, &flags.filter_mod},
                                 {ParamGroup::kCoreKeyboard, &flags.keyboard}});
  vco1_pwm_src = params.add<ParamId::kVco1PwmSrc>();
  vco2_pwm_src = params.add<ParamId::kVco2PwmSrc>();
  vco1_pwm_lvl = params.add<ParamId::kVco1PwmLvl>();
  vco2_pwm_lvl = params.add<ParamId::kVco2PwmLvl>();
  vco1_fm1_src = params.add<ParamId::kVco1Fm1Src>();
  vco2_fm1_src = params.add<ParamId::kVco2Fm1Src>();
  vco1_fm2_src = params.add<ParamId::kVco1Fm2Src>();
  vco2_fm2_src = params.add<ParamId::kVco2Fm2Src>();
  vco1_fm1_lvl = params.add<ParamId::kVco1Fm1Lvl>();
  vco2_fm1_lvl = params.add<ParamId::kVco2Fm1Lvl>();
  vco1_fm2_lvl = params.add<ParamId::kVco1Fm2Lvl>();
  vco2_fm2_lvl = params.add<ParamId::kVco2Fm2Lvl>();
  portamento = params.add<ParamId::kPortamento>();
  vcf_mod1_src = params.add<ParamId::kVcfMod1Src>();
  vcf_mod2_src = params.add<ParamId::kVcfMod2Src>();
  vcf_mod3_src = params.add<ParamId::kVcfMod3Src>();
  vcf_mod1_lvl = params.add<ParamId::kVcfMod1Lvl>();
  vcf_mod2_lvl = params.add<ParamId::kVcfMod2Lvl>();
  vcf_mod3_lvl = params.add<ParamId::kVcfMod3Lvl>();
  sh_trig = params.add<ParamId::kShTrig>();
  osc_mode = params.add<ParamId::kOscMode>();

  mppi::NormalizedParamInterface* const in_index_order[kNbrParams] = {
      vco1_pwm_src, vco2_pwm_src, vco1_pwm_lvl, vco2_pwm_lvl, vco1_fm1_src, vco2_fm1_src, vco1_fm2_src,
      vco2_fm2_src, vco1_fm1_lvl, vco2_fm1_lvl, vco1_fm2_lvl, vco2_fm2_lvl, portamento,   vcf_mod1_src,
      vcf_mod2_src, vcf_mod3_src, vcf_mod1_lvl, vcf_mod2_lvl, vcf_mod3_lvl, sh_trig,      osc_mode};
  for (int i = 0; i < kNbrParams; ++i) list_[i] = in_index_order[i];
}

void SynthCoreParams::set_start_values() {
  for (int i = 0; i < kNbrParams; ++i) {
    mppi::NormalizedParamInterface* param = list_[i];
    if (param == nullptr) continue;
    param->set_val(param_row(param_id(index(kFirst) + i)).initial, 0);
    if (param->notified != nullptr) param->notified->notify(param);
  }
}

}  // namespace synth
