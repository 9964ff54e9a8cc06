#pragma once
// Who the plug-in is: the identity the host sees and where its settings go.

#include <cstdint>

namespace synth {

struct PluginInfo {
  int32_t unique_id;                     // four characters, first in the top byte
  const char* settings_sub_path;         // below the host's plug-in folder
  const char* settings_sub_path_suffix;  // tells this adapter's settings apart
  const char* plugin_name;
};

extern const PluginInfo plugin_info;

}  // namespace synth
