#pragma once
// A string value. Numbers are stored as strings too; clients format them.
// The format has no escape for a double quote: a string holding one does
// not read back as written.

#include <string>

#include "basic/conf_key_content_interface.h"

namespace basic {

class ConfKeyContentString : public ConfKeyContentInterface {
public:
  ConfKeyContentString() = default;
  explicit ConfKeyContentString(std::string str) : str_(std::move(str)) {}

  const std::string& get_string() const { return str_; }
  void set_string(const std::string& str) { str_ = str; }

  void write_to_string(std::string& out, int level) const override;

private:
  std::string str_;
};

}  // namespace basic
