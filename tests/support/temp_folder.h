#pragma once
// Throw-away folders for tests: a fresh folder removed at the end of the
// test, and a per-user store ($XDG_CONFIG_HOME) pointed at one.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

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
  TempConfigHome() {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    had_old_ = old != nullptr;
    if (old) old_ = old;
    setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
  }
  ~TempConfigHome() {
    if (had_old_) {
      setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }
  const std::filesystem::path& folder() const { return folder_.path(); }

private:
  TempFolder folder_;
  std::string old_;
  bool had_old_ = false;
};

}  // namespace zindle_test
