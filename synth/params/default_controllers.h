#pragma once
// The MIDI controller bound to each synth parameter when the DSP object is
// initialised.

#include <array>

#include "synth/params/param_id.h"

namespace synth {

struct DefaultController {
  ParamId id;
  int controller;
};

inline constexpr DefaultController kDefaultControllerMap[kNbrParams] = {
    {ParamId::kVco1PwmSrc, 12},  {ParamId::kVco2PwmSrc, 13},  {ParamId::kVco1PwmLvl, 14},
    {ParamId::kVco2PwmLvl, 15},  {ParamId::kVco1Fm1Src, 16},  {ParamId::kVco2Fm1Src, 17},
    {ParamId::kVco1Fm2Src, 18},  {ParamId::kVco2Fm2Src, 19},  {ParamId::kVco1Fm1Lvl, 20},
    {ParamId::kVco2Fm1Lvl, 21},  {ParamId::kVco1Fm2Lvl, 22},  {ParamId::kVco2Fm2Lvl, 23},
    {ParamId::kPortamento, 5},   {ParamId::kVcfMod1Src, 25},  {ParamId::kVcfMod2Src, 26},
    {ParamId::kVcfMod3Src, 27},  {ParamId::kVcfMod1Lvl, 24},  {ParamId::kVcfMod2Lvl, 1},
    {ParamId::kVcfMod3Lvl, 11},  {ParamId::kShTrig, 28},      {ParamId::kOscMode, 29},
    {ParamId::kAdsrAtkTime, 75}, {ParamId::kAdsrDcyTime, 76}, {ParamId::kAdsrSusLvl, 77},
    {ParamId::kAdsrRelTime, 78}, {ParamId::kAdsrLfoRep, 80},  {ParamId::kAdsrAutoRep, 81},
    {ParamId::kArAtkTime, 73},   {ParamId::kArRelTime, 72},   {ParamId::kArLfoRep, 82},
    {ParamId::kLfoFreq, 8},      {ParamId::kLfoTempoSync, 113}, {ParamId::kLfoKeyTrig, 114},
    {ParamId::kVco1TuneC, 86},   {ParamId::kVco2TuneC, 87},   {ParamId::kVco1TuneF, 88},
    {ParamId::kVco2TuneF, 89},   {ParamId::kVco1Pw, 90},      {ParamId::kVco2Pw, 91},
    {ParamId::kVco1Src, 84},     {ParamId::kVco2Sync, 83},    {ParamId::kNoiseType, 85},
    {ParamId::kShLag, 102},      {ParamId::kShMix1Src, 103},  {ParamId::kShMix1Lvl, 104},
    {ParamId::kShMix2Src, 105},  {ParamId::kShMix2Lvl, 106},  {ParamId::kMixSrc1, 107},
    {ParamId::kMixSrc2, 108},    {ParamId::kMixSrc3, 109},    {ParamId::kMix1Lvl, 2},
    {ParamId::kMix2Lvl, 3},      {ParamId::kMix3Lvl, 4},      {ParamId::kVcfFreq, 74},
    {ParamId::kVcfReso, 71},     {ParamId::kHpfFreq, 9},      {ParamId::kVcaGain, 110},
    {ParamId::kVcaEnv, 7},       {ParamId::kVcaEnvLvl, 111},  {ParamId::kVeloVcaSens, 30},
    {ParamId::kVeloVcfSens, 31}, {ParamId::kA440Tone, 112},
};

// The controllers by internal index, as the MIDI manager takes them.
constexpr std::array<int, kNbrParams> controllers_by_index() {
  std::array<int, kNbrParams> by_index{};
  for (const DefaultController& entry : kDefaultControllerMap) by_index[index(entry.id)] = entry.controller;
  return by_index;
}

inline constexpr std::array<int, kNbrParams> kDefaultControllers = controllers_by_index();

static_assert(rows_in_index_order(kDefaultControllerMap), "one controller per parameter, in index order");

}  // namespace synth
