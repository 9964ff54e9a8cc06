#pragma once
// A small per-user store of named strings under a path such as
// "<maker>/<product>/Autoload": the registry of the current user on Windows
// (below its Software key), a text file under $XDG_CONFIG_HOME on Linux.
// Construction opens or creates every level of the path and throws
// std::runtime_error when it cannot.

#include <map>
#include <string>

namespace sys {

class PersistentKeyList {
public:
  explicit PersistentKeyList(const std::string& path);
  ~PersistentKeyList();
  PersistentKeyList(const PersistentKeyList&) = delete;
  PersistentKeyList& operator=(const PersistentKeyList&) = delete;

  // False when the value does not exist or cannot be read.
  bool read_string(const std::string& name, std::string& value) const;
  // False when the value cannot be stored.
  bool write_string(const std::string& name, const std::string& value);

private:
  struct Impl;
  Impl* impl_;
};

// Where the Linux store keeps its files: $XDG_CONFIG_HOME, else ~/.config.
// Empty when neither is known.
std::string user_config_folder();

}  // namespace sys
