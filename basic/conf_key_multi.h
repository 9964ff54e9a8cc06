#pragma once
// A section: an ordered list of child keys, data keys and sections mixed.
// Lookups take the first child of the requested name. A key path names
// one key per level, its components separated by '/' or '\'.

#include <memory>
#include <string>
#include <vector>

#include "basic/conf_key_interface.h"

namespace basic {

class ConfKeyMulti : public ConfKeyInterface {
public:
  explicit ConfKeyMulti(const std::string& name = "");
  ~ConfKeyMulti() override = default;

  int get_nbr_keys() const { return static_cast<int>(keys_.size()); }
  // Takes ownership; returns the stored key.
  ConfKeyInterface& add_key(std::unique_ptr<ConfKeyInterface> key);
  ConfKeyInterface& use_child(int index);
  const ConfKeyInterface& use_child(int index) const;
  void remove_key(int index);

  // Index of the first child named `name` at or after `start`, or -1.
  int find_index(const std::string& name, int start = 0) const;
  int find_index_throw(const std::string& name, int start = 0) const;

  // "a/b/c" gives "a" and "b/c"; "a" gives "a" and "".
  static void split_key_path_first(const std::string& path, std::string& first,
                                   std::string& rest);

  // Null when a component is missing or a non-final one is a data key.
  ConfKeyInterface* get_key(const std::string& path);
  const ConfKeyInterface* get_key(const std::string& path) const;
  ConfKeyInterface& use_key(const std::string& path);
  const ConfKeyInterface& use_key(const std::string& path) const;

  // Empty when there is no data key with a string value at `path`.
  std::string get_string(const std::string& path) const;
  // Creates what is missing on the way. A data key standing where a
  // section is needed, or a section where the value goes, is replaced in
  // place by a new key of the same name.
  void set_string(const std::string& path, const std::string& str);

  // True when every component of `path` matches exactly one child.
  bool is_key_path_unique(const std::string& path) const;

protected:
  void do_write_key(std::string& out, int level) const override;

private:
  void check_index_throw(int index, const char* operation) const;

  std::vector<std::unique_ptr<ConfKeyInterface>> keys_;
};

}  // namespace basic
