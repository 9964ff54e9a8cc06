#pragma once
// Helpers of the settings tests: temporary folders, a reorder map over
// named fake parameters, and whole-file reads.

#include "support/fake_param_access.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "framework/params/normalized_param_interface.h"
#include "framework/params/param_access_interface.h"
#include "framework/params/param_reorder.h"

namespace settings_test {

namespace fs = std::filesystem;

// A fresh folder, removed at the end of the test.
class TempFolder {
public:
  TempFolder() {
    folder_ = fs::temp_directory_path() /
              ("zindle-settings-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~TempFolder() { fs::remove_all(folder_); }
  std::string file(const std::string& name) const { return (folder_ / name).string(); }
  const fs::path& path() const { return folder_; }

private:
  static inline int counter_ = 0;
  fs::path folder_;
};

// Points $XDG_CONFIG_HOME at a fresh folder for the length of a test.
class TempConfigHome {
public:
  TempConfigHome() {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    had_old_ = old != nullptr;
    if (old) old_ = old;
    setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
  }
  ~TempConfigHome() {
    if (had_old_) setenv("XDG_CONFIG_HOME", old_.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
  }
  const fs::path& folder() const { return folder_.path(); }

private:
  TempFolder folder_;
  std::string old_;
  bool had_old_ = false;
};

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
