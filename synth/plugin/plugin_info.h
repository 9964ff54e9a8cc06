#pragma once
// Who the plug-in is: the identity the host sees, the name the DSP object
// answers with, and where its settings go.

#include <cstdint>
#include <string>

namespace synth {

// The maker of the product, as hosts and settings folders show it.
inline constexpr char kManufacturer[] = "Brakka";

struct PluginInfo {
  int32_t unique_id;                     // four characters, first in the top byte
  std::string settings_sub_path;         // below the host's plug-in folder
  std::string settings_sub_path_suffix;  // tells this adapter's settings apart
  std::string plugin_name;
};

extern const PluginInfo plugin_info;

}  // namespace synth
