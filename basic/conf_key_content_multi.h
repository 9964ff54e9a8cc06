#pragma once
// An ordered list of values (strings or nested lists), written `{ a b c }`.

#include <memory>
#include <vector>

#include "basic/conf_key_content_interface.h"

namespace basic {

class ConfKeyContentMulti : public ConfKeyContentInterface {
public:
  // Longer lists are written one element per line.
  static constexpr int kMaxElementsOnOneLine = 7;

  ConfKeyContentMulti() = default;

  int get_nbr_elt() const { return static_cast<int>(elts_.size()); }
  // Takes ownership; returns the stored element.
  ConfKeyContentInterface& add_elt(std::unique_ptr<ConfKeyContentInterface> elt);
  ConfKeyContentInterface& use_elt(int index);
  const ConfKeyContentInterface& use_elt(int index) const;
  void remove_elt(int index);
  void clear() { elts_.clear(); }

  void write_to_string(std::string& out, int level) const override;

private:
  void check_index_throw(int index, const char* operation) const;

  std::vector<std::unique_ptr<ConfKeyContentInterface>> elts_;
};

}  // namespace basic
