#pragma once
// The 62 synth parameters, one row each, in index order: display name,
// mapping kind, initial natural value, notification group and, for the
// two-state choices, the labels of states 0 and 1.

#include "synth/params/param_id.h"

namespace synth {

// The mapping family of a parameter; its class and range follow from it.
enum class ParamKind {
  kChoice,       // two states, natural value 0 or 1
  kBlendChoice,  // two states, natural value keeps a position in between
  kLevel,        // 0..1 linear, "%"
  kGain,         // 0..1 amplitude on (8^n - 1) / 7, "dB"
  kEnvTime,      // 5 ms..20 s, exponential
  kPortaTime,    // 0..1.5 s, cubic
  kLagTime,      // 0..2 s, cubic
  kCutoff,       // 16..16000 Hz, exponential
  kCoarseTune,   // -36..+36 semitones
  kFineTune,     // -1..+1 semitone, shown in cents
  kPulseWidth,   // 0.5..0.05 of the period
  kLfoRate,      // 0.2..20 Hz, shown in beats in tempo mode
};

// Parameters of one group share one notification flag of the stage that
// reads them, and that stage recomputes them together.
enum class ParamGroup {
  kCoreVco1Pwm,
  kCoreVco2Pwm,
  kCoreVco1Fm,
  kCoreVco2Fm,
  kCoreFilterMod,
  kCoreKeyboard,
  kControlAdsrTimes,
  kControlAdsrRepeat,
  kControlArTimes,
  kControlArRepeat,
  kControlLfo,
  kGeneratorVco1,
  kGeneratorVco2,
  kGeneratorSync,
  kNoise,
  kShLag,
  kShMix1,
  kShMix2,
  kMixerSources,
  kMixerVcf,
  kMixerHpf,
  kMixerVca,
};

constexpr int kNbrParamGroups = static_cast<int>(ParamGroup::kMixerVca) + 1;

struct ParamRow {
  ParamId id;
  const char* name;
  ParamKind kind;
  double initial;
  ParamGroup group;
  const char* label0 = nullptr;
  const char* label1 = nullptr;
};

namespace table {
using K = ParamKind;
using G = ParamGroup;
using I = ParamId;

inline constexpr ParamRow kRows[kNbrParams] = {
    {I::kVco1PwmSrc, "VCO1 PWM Src", K::kBlendChoice, 0, G::kCoreVco1Pwm, "ADSR", "LFO Sine"},
    {I::kVco2PwmSrc, "VCO2 PWM Src", K::kBlendChoice, 0, G::kCoreVco2Pwm, "ADSR", "LFO Sine"},
    {I::kVco1PwmLvl, "VCO1 PWM Lvl", K::kLevel, 0, G::kCoreVco1Pwm},
    {I::kVco2PwmLvl, "VCO2 PWM Lvl", K::kLevel, 0, G::kCoreVco2Pwm},
    {I::kVco1Fm1Src, "VCO1 FM1 Src", K::kChoice, 1, G::kCoreVco1Fm, "LFO Sq", "LFO Sine"},
    {I::kVco2Fm1Src, "VCO2 FM1 Src", K::kChoice, 1, G::kCoreVco2Fm, "S/H Mixer", "LFO Sine"},
    {I::kVco1Fm2Src, "VCO1 FM2 Src", K::kChoice, 0, G::kCoreVco1Fm, "ADSR", "S/H"},
    {I::kVco2Fm2Src, "VCO2 FM2 Src", K::kChoice, 0, G::kCoreVco2Fm, "ADSR", "S/H"},
    {I::kVco1Fm1Lvl, "VCO1 FM1 Lvl", K::kLevel, 0, G::kCoreVco1Fm},
    {I::kVco2Fm1Lvl, "VCO2 FM1 Lvl", K::kLevel, 0, G::kCoreVco2Fm},
    {I::kVco1Fm2Lvl, "VCO1 FM2 Lvl", K::kLevel, 0, G::kCoreVco1Fm},
    {I::kVco2Fm2Lvl, "VCO2 FM2 Lvl", K::kLevel, 0, G::kCoreVco2Fm},
    {I::kPortamento, "Portamento", K::kPortaTime, 0, G::kCoreKeyboard},
    {I::kVcfMod1Src, "VCF Mod1 Src", K::kChoice, 1, G::kCoreFilterMod, "S/H Mixer", "Keyboard"},
    {I::kVcfMod2Src, "VCF Mod2 Src", K::kChoice, 0, G::kCoreFilterMod, "LFO Sine", "S/H"},
    {I::kVcfMod3Src, "VCF Mod3 Src", K::kChoice, 0, G::kCoreFilterMod, "AR", "ADSR"},
    {I::kVcfMod1Lvl, "VCF Mod1 Lvl", K::kLevel, 0, G::kCoreFilterMod},
    {I::kVcfMod2Lvl, "VCF Mod2 Lvl", K::kLevel, 0, G::kCoreFilterMod},
    {I::kVcfMod3Lvl, "VCF Mod3 Lvl", K::kLevel, 0, G::kCoreFilterMod},
    {I::kShTrig, "S/H Trig", K::kChoice, 0, G::kCoreKeyboard, "Keyboard", "LFO"},
    {I::kOscMode, "Osc Mode", K::kChoice, 0, G::kCoreKeyboard, "Duo", "Mono"},

    {I::kAdsrAtkTime, "ADSR Atk Time", K::kEnvTime, 0.005, G::kControlAdsrTimes},
    {I::kAdsrDcyTime, "ADSR Dcy Time", K::kEnvTime, 0.005, G::kControlAdsrTimes},
    {I::kAdsrSusLvl, "ADSR Sus Lvl", K::kGain, 1, G::kControlAdsrTimes},
    {I::kAdsrRelTime, "ADSR Rel Time", K::kEnvTime, 0.005, G::kControlAdsrTimes},
    {I::kAdsrLfoRep, "ADSR LFO Rep", K::kChoice, 0, G::kControlAdsrRepeat, "Kbd Gate", "LFO Rep"},
    {I::kAdsrAutoRep, "ADSR Auto-Rep", K::kChoice, 0, G::kControlAdsrRepeat, "Kbd Rep", "Auto Rep"},
    {I::kArAtkTime, "AR Atk Time", K::kEnvTime, 0.005, G::kControlArTimes},
    {I::kArRelTime, "AR Rel Time", K::kEnvTime, 0.005, G::kControlArTimes},
    {I::kArLfoRep, "AR LFO Re", K::kChoice, 0, G::kControlArRepeat, "Kbd Gate", "LFO Rep"},
    {I::kLfoFreq, "LFO Freq", K::kLfoRate, 2.0, G::kControlLfo},
    {I::kLfoTempoSync, "LFO Tempo Sync", K::kChoice, 0, G::kControlLfo, "Off", "On"},
    {I::kLfoKeyTrig, "LFO Key Trig", K::kChoice, 0, G::kControlLfo, "On", "Off"},

    {I::kVco1TuneC, "VCO1 TuneC", K::kCoarseTune, 0, G::kGeneratorVco1},
    {I::kVco2TuneC, "VCO2 TuneC", K::kCoarseTune, 0, G::kGeneratorVco2},
    {I::kVco1TuneF, "VCO1 TuneF", K::kFineTune, 0, G::kGeneratorVco1},
    {I::kVco2TuneF, "VCO2 TuneF", K::kFineTune, 0, G::kGeneratorVco2},
    {I::kVco1Pw, "VCO1 PW", K::kPulseWidth, 0.5, G::kGeneratorVco1},
    {I::kVco2Pw, "VCO2 PW", K::kPulseWidth, 0.5, G::kGeneratorVco2},
    {I::kVco1Src, "VCO1 Src", K::kChoice, 0, G::kGeneratorVco1, "Audio", "LF"},
    {I::kVco2Sync, "VCO2 Sync", K::kChoice, 0, G::kGeneratorSync, "Off", "On"},
    {I::kNoiseType, "Noise Type", K::kChoice, 0, G::kNoise, "Pink", "White"},

    {I::kShLag, "S/H Lag", K::kLagTime, 0, G::kShLag},
    {I::kShMix1Src, "S/H Mix1 Src", K::kChoice, 0, G::kShMix1, "VCO1Sq", "VCO1Saw"},
    {I::kShMix1Lvl, "S/H Mix1 Lvl", K::kGain, 0, G::kShMix1},
    {I::kShMix2Src, "S/H Mix2 Src", K::kChoice, 0, G::kShMix2, "VCO2Sq", "Noise"},
    {I::kShMix2Lvl, "S/H Mix2 Lvl", K::kGain, 0, G::kShMix2},

    {I::kMixSrc1, "Mix Src1", K::kChoice, 1, G::kMixerSources, "RingMod", "Noise"},
    {I::kMixSrc2, "Mix Src2", K::kChoice, 1, G::kMixerSources, "VCO1Sq", "VCO1Saw"},
    {I::kMixSrc3, "Mix Src3", K::kChoice, 1, G::kMixerSources, "VCO2Sq", "VCO2Saw"},
    {I::kMix1Lvl, "Mix1Lvl", K::kGain, 0, G::kMixerSources},
    {I::kMix2Lvl, "Mix2Lvl", K::kGain, 1, G::kMixerSources},
    {I::kMix3Lvl, "Mix3Lvl", K::kGain, 0, G::kMixerSources},
    {I::kVcfFreq, "VCF Freq", K::kCutoff, 16000, G::kMixerVcf},
    {I::kVcfReso, "VCF Reso", K::kLevel, 0, G::kMixerVcf},
    {I::kHpfFreq, "HPF Freq", K::kCutoff, 16, G::kMixerHpf},
    {I::kVcaGain, "VCA Gain", K::kGain, 0, G::kMixerVca},
    {I::kVcaEnv, "VCA Env", K::kChoice, 0, G::kMixerVca, "AR", "ADSR"},
    {I::kVcaEnvLvl, "VCA Env Lvl", K::kGain, 1, G::kMixerVca},
    {I::kVeloVcaSens, "Velo-VCA Sens", K::kLevel, 0, G::kMixerVca},
    {I::kVeloVcfSens, "Velo-VCF Sens", K::kLevel, 0, G::kMixerVcf},
    {I::kA440Tone, "A440 Tone", K::kChoice, 0, G::kMixerSources, "Off", "On"},
};

static_assert(rows_in_index_order(kRows), "row i must describe ParamId i");

}  // namespace table

constexpr const ParamRow& param_row(ParamId id) { return table::kRows[index(id)]; }

// The parameter whose display name is `name` exactly, or -1.
int find_param_index(const char* name);

}  // namespace synth
