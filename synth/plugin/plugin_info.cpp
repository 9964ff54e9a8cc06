#include "synth/plugin/plugin_info.h"

namespace synth {

const PluginInfo plugin_info = {('B' << 24) | ('R' << 16) | ('Z' << 8) | 'i', std::string(kManufacturer) + "\\Zindle",
                                " VST", "Zindle-BR"};

}  // namespace synth
