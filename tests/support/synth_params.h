#pragma once
// Internal indices of the synth parameters that tests set by hand.

namespace zindle_test::synth_param {

constexpr int kVco1PwmSrc = 0;
constexpr int kVco1PwmLvl = 2;
constexpr int kVco1Fm1Src = 4;
constexpr int kVco1Fm2Src = 6;
constexpr int kVco2Fm2Src = 7;
constexpr int kVco1Fm1Lvl = 8;
constexpr int kVco1Fm2Lvl = 10;
constexpr int kVco2Fm2Lvl = 11;
constexpr int kPortamento = 12;
constexpr int kVcfMod2Src = 14;
constexpr int kVcfMod3Src = 15;
constexpr int kVcfMod2Lvl = 17;
constexpr int kVcfMod3Lvl = 18;
constexpr int kShTrig = 19;
constexpr int kOscMode = 20;
constexpr int kAdsrAtkTime = 21;
constexpr int kAdsrDcyTime = 22;
constexpr int kAdsrSusLvl = 23;
constexpr int kAdsrRelTime = 24;
constexpr int kAdsrLfoRep = 25;
constexpr int kArAtkTime = 27;
constexpr int kArRelTime = 28;
constexpr int kLfoFreq = 30;
constexpr int kLfoTempoSync = 31;
constexpr int kVco2TuneC = 34;
constexpr int kVco1Pw = 37;
constexpr int kVco2Sync = 40;
constexpr int kNoiseType = 41;
constexpr int kShMix2Src = 45;
constexpr int kShMix2Lvl = 46;
constexpr int kMixSrc1 = 47;
constexpr int kMixSrc2 = 48;
constexpr int kMix1Lvl = 50;
constexpr int kMix2Lvl = 51;
constexpr int kMix3Lvl = 52;
constexpr int kVcfFreq = 53;
constexpr int kVcfReso = 54;
constexpr int kHpfFreq = 55;
constexpr int kVcaGain = 56;
constexpr int kVcaEnv = 57;
constexpr int kVcaEnvLvl = 58;
constexpr int kVeloVcaSens = 59;
constexpr int kA440 = 61;

}  // namespace zindle_test::synth_param
