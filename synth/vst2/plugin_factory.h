#pragma once
// Builds the whole plug-in for a host and answers its descriptor; null on
// any failure. What the exported entry points call.

#include "framework/vst2/vst2_abi.h"

namespace synth {

AEffect* create_vst2_plugin(audioMasterCallback audio_master) noexcept;

}  // namespace synth
