#pragma once
// Helpers of the settings tests: temporary folders, a reorder map over
// named fake parameters, and whole-file reads.

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/params/normalized_param_interface.h"
#include "framework/params/param_access_interface.h"
#include "framework/params/param_reorder.h"
#include "support/fake_param_access.h"
#include "support/temp_folder.h"

namespace settings_test {

namespace fs = std::filesystem;
using zindle_test::TempConfigHome;
using zindle_test::TempFolder;

using FakeAccess = zindle_test::FakeParamAccess;

// A 62-parameter reorder map, identity until told otherwise.
struct Reorder {
  Reorder() { map.init(access); }
  std::vector<int> host_to_internal() const {
    std::vector<int> order;
    for (int k = 0; k < map.get_nbr_param(); ++k) order.push_back(map.to_internal(k));
    return order;
  }
  FakeAccess access{62};
  mppi::ParamReorder map;
};

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace settings_test
