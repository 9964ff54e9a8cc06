#include "basic/conf_key_interface.h"

#include <algorithm>
#include <stdexcept>

namespace basic {

ConfKeyInterface::ConfKeyInterface(const std::string& name) {
  check_name_throw(name);
  name_ = name;
}

void ConfKeyInterface::set_name(const std::string& name) {
  check_name_throw(name);
  name_ = name;
}

void ConfKeyInterface::set_comment(const std::string& comment) {
  comment_ = comment;
  std::replace(comment_.begin(), comment_.end(), '\n', ' ');
}

void ConfKeyInterface::write_to_string(std::string& out, int level) const {
  do_write_to_string(out, level);
}

void ConfKeyInterface::do_write_to_string(std::string& out, int level) const {
  if (is_anonymous()) {
    throw std::runtime_error(
        "basic::ConfKeyInterface::do_write_to_string() : Key can't be anonymous.");
  }
  do_write_key(out, level);
}

bool ConfKeyInterface::is_name_valid(const std::string& name) {
  // "//" needs no test of its own: it contains a separator.
  return name.find_first_of("/\\") == std::string::npos;
}

void ConfKeyInterface::check_name_throw(const std::string& name) {
  if (!is_name_valid(name)) {
    throw std::runtime_error("basic::ConfKeyInterface::check_name_throw() : Invalid name.");
  }
}

}  // namespace basic
