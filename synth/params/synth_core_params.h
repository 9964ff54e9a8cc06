#pragma once
// The 21 parameters read by the synth core: modulation routing of the
// oscillators and the filter, and the keyboard group. Owns no objects; the
// registry holds them.

#include "framework/params/normalized_param_interface.h"
#include "synth/params/param_classes.h"

namespace mppi { class PluginInternal; }

namespace synth {

// Notification groups of the synth core.
struct SynthCoreFlags {
  mppi::NotificationFlag vco1_pwm;
  mppi::NotificationFlag vco2_pwm;
  mppi::NotificationFlag vco1_mod;
  mppi::NotificationFlag vco2_mod;
  mppi::NotificationFlag filter_mod;
  mppi::NotificationFlag keyboard;
};

class SynthCoreParams {
public:
  static constexpr ParamId kFirst = ParamId::kVco1PwmSrc;
  static constexpr ParamId kLast = ParamId::kOscMode;
  static constexpr int kNbrParams = index(kLast) - index(kFirst) + 1;

  // Creates "VCO1 PWM Src" .. "Osc Mode" in index order and registers them.
  void create(mppi::PluginInternal& registry, SynthCoreFlags& flags);
  // Back to the initial values, telling the flags.
  void set_start_values();

  ParamGenPulseWidthModSrc* vco1_pwm_src = nullptr;
  ParamGenPulseWidthModSrc* vco2_pwm_src = nullptr;
  ParamGenPulseWidthModLevel* vco1_pwm_lvl = nullptr;
  ParamGenPulseWidthModLevel* vco2_pwm_lvl = nullptr;
  ParamGenVco1Fm1Src* vco1_fm1_src = nullptr;
  ParamGenVco2Fm1Src* vco2_fm1_src = nullptr;
  ParamGenVco1Fm2Src* vco1_fm2_src = nullptr;
  ParamGenVco2Fm2Src* vco2_fm2_src = nullptr;
  ParamGenVcoFmLevel* vco1_fm1_lvl = nullptr;
  ParamGenVcoFmLevel* vco2_fm1_lvl = nullptr;
  ParamGenVcoFmLevel* vco1_fm2_lvl = nullptr;
  ParamGenVcoFmLevel* vco2_fm2_lvl = nullptr;
  ParamCtrlKybdPortamento* portamento = nullptr;
  ParamMixerVcfModSrc1* vcf_mod1_src = nullptr;
  ParamMixerVcfModSrc2* vcf_mod2_src = nullptr;
  ParamMixerVcfModSrc3* vcf_mod3_src = nullptr;
  ParamMixerVcfSrcLevel* vcf_mod1_lvl = nullptr;
  ParamMixerVcfSrcLevel* vcf_mod2_lvl = nullptr;
  ParamMixerVcfSrcLevel* vcf_mod3_lvl = nullptr;
  ParamShTrigger* sh_trig = nullptr;
  ParamGenMonoMode* osc_mode = nullptr;

private:
  mppi::NormalizedParamInterface* list_[kNbrParams] = {};
};

}  // namespace synth
