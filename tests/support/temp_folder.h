#pragma once
// Throw-away folders for tests: a fresh folder removed at the end of the
// test, and a per-user store ($XDG_CONFIG_HOME) pointed at one.

#include <filesystem>
#include <string>

#include <unistd.h>

#include "support/stderr_capture.h"

namespace zindle_test {

class TempFolder {
public:
  TempFolder() {
    folder_ = std::filesystem::temp_directory_path() /
              ("zindle-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string file(const std::string& name) const { return (folder_ / name).string(); }
  const std::filesystem::path& path() const { return folder_; }

private:
  static inline int counter_ = 0;
  std::filesystem::path folder_;
};

class TempConfigHome {
public:
  TempConfigHome() : env_("XDG_CONFIG_HOME", folder_.path().c_str()) {}
  const std::filesystem::path& folder() const { return folder_.path(); }

private:
  TempFolder folder_;
  test_support::ScopedEnv env_;
};

}  // namespace zindle_test
