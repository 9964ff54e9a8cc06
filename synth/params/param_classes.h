#pragma once
// The class of each parameter kind, the creation of a parameter from its
// row, and the per-parameter class names of the stages as aliases.

#include <memory>
#include <type_traits>

#include "framework/params/param_filter_cutoff_mixin.h"
#include "framework/params/param_gain_mixin.h"
#include "framework/params/param_level_mixin.h"
#include "framework/params/param_time_mixin.h"
#include "framework/params/param_two_state_mixin.h"
#include "synth/params/param_lfo_rate.h"
#include "synth/params/param_pulse_width.h"
#include "synth/params/param_table.h"
#include "synth/params/param_tuning.h"

namespace synth {

using ParamEnvTime = mppi::ParamTime<mppi::EnvTimeParamMapper<5, 20000>>;
using ParamPortaTime = mppi::ParamTime<mppi::ZeroTimeParamMapper<1500>>;
using ParamLagTime = mppi::ParamTime<mppi::ZeroTimeParamMapper<2000>>;

template <ParamKind K> struct KindClass;
template <> struct KindClass<ParamKind::kChoice> { using type = mppi::ParamChoice; };
template <> struct KindClass<ParamKind::kBlendChoice> { using type = mppi::ParamBlendChoice; };
template <> struct KindClass<ParamKind::kLevel> { using type = mppi::ParamLevel; };
template <> struct KindClass<ParamKind::kGain> { using type = mppi::ParamGain; };
template <> struct KindClass<ParamKind::kEnvTime> { using type = ParamEnvTime; };
template <> struct KindClass<ParamKind::kPortaTime> { using type = ParamPortaTime; };
template <> struct KindClass<ParamKind::kLagTime> { using type = ParamLagTime; };
template <> struct KindClass<ParamKind::kCutoff> { using type = mppi::ParamCutoff; };
template <> struct KindClass<ParamKind::kCoarseTune> { using type = ParamCoarseTune; };
template <> struct KindClass<ParamKind::kFineTune> { using type = ParamFineTune; };
template <> struct KindClass<ParamKind::kPulseWidth> { using type = ParamPulseWidth; };
template <> struct KindClass<ParamKind::kLfoRate> { using type = ParamLfoRate; };

template <ParamKind K>
using KindClassT = typename KindClass<K>::type;

// The class of the parameter `ID`, known at compile time from its row.
template <ParamId ID>
using ParamClass = KindClassT<param_row(ID).kind>;

// A new parameter of kind K (the row's kind) at the row's initial value.
template <ParamKind K>
std::shared_ptr<KindClassT<K>> make_param(const ParamRow& row) {
  using Class = KindClassT<K>;
  std::shared_ptr<Class> param;
  if constexpr (std::is_base_of_v<mppi::ParamTwoStateMixin, Class>) {
    param = std::make_shared<Class>(row.name, row.label0, row.label1);
  } else {
    param = std::make_shared<Class>(row.name);
  }
  param->set_val(row.initial, 0);
  return param;
}

// The same, chosen at run time by the row of `id`.
std::shared_ptr<mppi::NormalizedParamInterface> create_param(ParamId id);

// Class names by parameter, for the stages that hold typed pointers.
using ParamGenPulseWidthModSrc = ParamClass<ParamId::kVco1PwmSrc>;
using ParamGenPulseWidthModLevel = ParamClass<ParamId::kVco1PwmLvl>;
using ParamGenVco1Fm1Src = ParamClass<ParamId::kVco1Fm1Src>;
using ParamGenVco2Fm1Src = ParamClass<ParamId::kVco2Fm1Src>;
using ParamGenVco1Fm2Src = ParamClass<ParamId::kVco1Fm2Src>;
using ParamGenVco2Fm2Src = ParamClass<ParamId::kVco2Fm2Src>;
using ParamGenVcoFmLevel = ParamClass<ParamId::kVco1Fm1Lvl>;
using ParamCtrlKybdPortamento = ParamClass<ParamId::kPortamento>;
using ParamMixerVcfModSrc1 = ParamClass<ParamId::kVcfMod1Src>;
using ParamMixerVcfModSrc2 = ParamClass<ParamId::kVcfMod2Src>;
using ParamMixerVcfModSrc3 = ParamClass<ParamId::kVcfMod3Src>;
using ParamMixerVcfSrcLevel = ParamClass<ParamId::kVcfMod1Lvl>;
using ParamShTrigger = ParamClass<ParamId::kShTrig>;
using ParamGenMonoMode = ParamClass<ParamId::kOscMode>;

using ParamCtrlAdsrAttackTime = ParamClass<ParamId::kAdsrAtkTime>;
using ParamCtrlAdsrDecayTime = ParamClass<ParamId::kAdsrDcyTime>;
using ParamCtrlAdsrSustainLevel = ParamClass<ParamId::kAdsrSusLvl>;
using ParamCtrlAdsrReleaseTime = ParamClass<ParamId::kAdsrRelTime>;
using ParamCtrlAdsrRepeat = ParamClass<ParamId::kAdsrLfoRep>;
using ParamCtrlAdsrAutoRepeat = ParamClass<ParamId::kAdsrAutoRep>;
using ParamCtrlArAttackTime = ParamClass<ParamId::kArAtkTime>;
using ParamCtrlArReleaseTime = ParamClass<ParamId::kArRelTime>;
using ParamCtrlArRepeat = ParamClass<ParamId::kArLfoRep>;
using ParamCtrlLfoPer = ParamClass<ParamId::kLfoFreq>;
using ParamCtrlLfoTempoSync = ParamClass<ParamId::kLfoTempoSync>;
using ParamCtrlLfoKeyRetrig = ParamClass<ParamId::kLfoKeyTrig>;

using ParamGenCoarseTune = ParamClass<ParamId::kVco1TuneC>;
using ParamGenFineTune = ParamClass<ParamId::kVco1TuneF>;
using ParamGenPulseWidth = ParamClass<ParamId::kVco1Pw>;
using ParamGenVco1Src = ParamClass<ParamId::kVco1Src>;
using ParamGenVcoSync = ParamClass<ParamId::kVco2Sync>;
using ParamGenNoiseType = ParamClass<ParamId::kNoiseType>;

using ParamShLag = ParamClass<ParamId::kShLag>;
using ParamShMixerSrc1 = ParamClass<ParamId::kShMix1Src>;
using ParamShMixerSrc1Level = ParamClass<ParamId::kShMix1Lvl>;
using ParamShMixerSrc2 = ParamClass<ParamId::kShMix2Src>;
using ParamShMixerSrc2Level = ParamClass<ParamId::kShMix2Lvl>;

using ParamMixerSrc1 = ParamClass<ParamId::kMixSrc1>;
using ParamMixerSrc2 = ParamClass<ParamId::kMixSrc2>;
using ParamMixerSrc3 = ParamClass<ParamId::kMixSrc3>;
using ParamMixerSrcLevel = ParamClass<ParamId::kMix1Lvl>;
using ParamMixerVcfCutoff = ParamClass<ParamId::kVcfFreq>;
using ParamMixerVcfReso = ParamClass<ParamId::kVcfReso>;
using ParamMixerHpfCutoff = ParamClass<ParamId::kHpfFreq>;
using ParamMixerVcaGain = ParamClass<ParamId::kVcaGain>;
using ParamMixerVcaModSrc = ParamClass<ParamId::kVcaEnv>;
using ParamMixerVcaModGain = ParamClass<ParamId::kVcaEnvLvl>;
using ParamVeloVcaSens = ParamClass<ParamId::kVeloVcaSens>;
using ParamVeloVcfCutoffSens = ParamClass<ParamId::kVeloVcfSens>;
using ParamMixerA440 = ParamClass<ParamId::kA440Tone>;

}  // namespace synth
