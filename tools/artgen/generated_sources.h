#pragma once
// The C++ and resource-script files that carry the artwork into the
// plug-in: the embedded resource table, the Win32 resource entries and
// the panel layout table.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/artgen/panel_layout.h"

namespace artgen {

struct GeneratedResource {
  std::string name;  // "bkg_28" or "bkg_28@2x"
  std::string file;  // absolute path of the APIC file
  std::vector<uint8_t> bytes;
};

std::string embedded_resources_source(const std::vector<GeneratedResource>& resources,
                                      const std::vector<std::string>& picture_names, const std::string& font_name);
std::string resource_script(const std::vector<GeneratedResource>& resources);
std::string panel_layout_source(const PanelLayout& layout);

}  // namespace artgen
