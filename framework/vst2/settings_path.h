#pragma once
// The settings folder: the host's plug-in folder (or, when the host tells
// nothing, the folder of the plug-in file) followed by the sub-path.

#include <string>

namespace mppi {

// host_dir may name the plug-in file itself (".dll", ".so"): the file part
// is cut off. An empty sub-path gives the base alone, no base nothing.
std::string make_settings_path(const std::string& host_dir, const std::string& module_file,
                               const std::string& sub_path);

// Full path of the file this code was loaded from; empty when unknown.
std::string get_module_file_name();

}  // namespace mppi
