#include "synth/vst2/plugin_info.h"

#include "framework/vst2/vst2_abi.h"

namespace synth {

const PluginInfo plugin_info = {vst_fourcc('B', 'R', 'Z', 'i'), "Brakka\\Zindle", " VST", "Zindle-BR"};

}  // namespace synth
