#pragma once
// Helpers of the settings tests: temporary folders, a reorder map over
// named fake parameters, and whole-file reads.

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

class NamedParam : public mppi::NormalizedParamInterface {
public:
  explicit NamedParam(int i) : index_(i) {}
  void get_name(char* buf, int len) const override { std::snprintf(buf, static_cast<size_t>(len), "Param %d", index_); }
  void get_unit(char* buf, int len) const override { if (len > 0) buf[0] = 0; }
  double conv_nrm_to_val(float n) const override { return n; }
  float conv_val_to_nrm(double v) const override { return static_cast<float>(v); }
  void conv_val_to_str(char* buf, int len, double) const override { if (len > 0) buf[0] = 0; }
  double conv_str_to_val(const char*, bool*) const override { return 0.0; }

private:
  int index_;
};

class FakeAccess : public mppi::ParamAccessInterface {
public:
  explicit FakeAccess(int n) {
    for (int i = 0; i < n; ++i) params_.push_back(std::make_unique<NamedParam>(i));
  }
  int get_nbr_param() const override { return static_cast<int>(params_.size()); }
  mppi::NormalizedParamInterface* get_param(int i) override { return params_[static_cast<size_t>(i)].get(); }

private:
  std::vector<std::unique_ptr<NamedParam>> params_;
};

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
