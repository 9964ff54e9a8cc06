#pragma once
// The synth parameters by name. The order is the internal index: the
// registration order, the position of a value in a stored program and,
// unless the host order is remapped, the host's parameter index.

namespace synth {

enum class ParamId : int {
  // Synth core: modulation routing and keyboard
  kVco1PwmSrc,
  kVco2PwmSrc,
  kVco1PwmLvl,
  kVco2PwmLvl,
  kVco1Fm1Src,
  kVco2Fm1Src,
  kVco1Fm2Src,
  kVco2Fm2Src,
  kVco1Fm1Lvl,
  kVco2Fm1Lvl,
  kVco1Fm2Lvl,
  kVco2Fm2Lvl,
  kPortamento,
  kVcfMod1Src,
  kVcfMod2Src,
  kVcfMod3Src,
  kVcfMod1Lvl,
  kVcfMod2Lvl,
  kVcfMod3Lvl,
  kShTrig,
  kOscMode,
  // Control stage: envelopes and LFO
  kAdsrAtkTime,
  kAdsrDcyTime,
  kAdsrSusLvl,
  kAdsrRelTime,
  kAdsrLfoRep,
  kAdsrAutoRep,
  kArAtkTime,
  kArRelTime,
  kArLfoRep,
  kLfoFreq,
  kLfoTempoSync,
  kLfoKeyTrig,
  // Generator stage and its noise generator
  kVco1TuneC,
  kVco2TuneC,
  kVco1TuneF,
  kVco2TuneF,
  kVco1Pw,
  kVco2Pw,
  kVco1Src,
  kVco2Sync,
  kNoiseType,
  // Sample-and-hold stage
  kShLag,
  kShMix1Src,
  kShMix1Lvl,
  kShMix2Src,
  kShMix2Lvl,
  // Mixer stage
  kMixSrc1,
  kMixSrc2,
  kMixSrc3,
  kMix1Lvl,
  kMix2Lvl,
  kMix3Lvl,
  kVcfFreq,
  kVcfReso,
  kHpfFreq,
  kVcaGain,
  kVcaEnv,
  kVcaEnvLvl,
  kVeloVcaSens,
  kVeloVcfSens,
  kA440Tone,
};

constexpr int kNbrParams = static_cast<int>(ParamId::kA440Tone) + 1;
static_assert(kNbrParams == 62, "a stored program holds 62 values");

constexpr int index(ParamId id) { return static_cast<int>(id); }

// Callers check 0 <= index < kNbrParams.
constexpr ParamId param_id(int index) { return static_cast<ParamId>(index); }

// True when row i of a per-parameter table names ParamId i.
template <class Row>
constexpr bool rows_in_index_order(const Row (&rows)[kNbrParams]) {
  for (int i = 0; i < kNbrParams; ++i) {
    if (index(rows[i].id) != i) return false;
  }
  return true;
}

}  // namespace synth
