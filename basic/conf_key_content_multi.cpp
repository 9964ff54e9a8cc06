#include "basic/conf_key_content_multi.h"

#include <stdexcept>
#include <string>

#include "basic/conf_key_writer.h"

namespace basic {

ConfKeyContentInterface& ConfKeyContentMulti::add_elt(
    std::unique_ptr<ConfKeyContentInterface> elt) {
  if (!elt) {
    throw std::runtime_error("basic::ConfKeyContentMulti::add_elt() : Null content.");
  }
  elts_.push_back(std::move(elt));
  return *elts_.back();
}

ConfKeyContentInterface& ConfKeyContentMulti::use_elt(int index) {
  check_index_throw(index, "use_elt");
  return *elts_[static_cast<std::size_t>(index)];
}

const ConfKeyContentInterface& ConfKeyContentMulti::use_elt(int index) const {
  check_index_throw(index, "use_elt");
  return *elts_[static_cast<std::size_t>(index)];
}

void ConfKeyContentMulti::remove_elt(int index) {
  check_index_throw(index, "remove_elt");
  elts_.erase(elts_.begin() + index);
}

void ConfKeyContentMulti::check_index_throw(int index, const char* operation) const {
  if (index < 0 || index >= get_nbr_elt()) {
    throw std::runtime_error(std::string("basic::ConfKeyContentMulti::") + operation +
                             "() : Index out of range.");
  }
}

void ConfKeyContentMulti::write_to_string(std::string& out, int level) const {
  if (get_nbr_elt() <= kMaxElementsOnOneLine) {
    out += "{ ";
    for (const auto& elt : elts_) {
      elt->write_to_string(out, level);
      out += ' ';
    }
    out += '}';
    return;
  }
  out += "{\n";
  for (const auto& elt : elts_) {
    write_conf_indent(out, level + 1);
    elt->write_to_string(out, level + 1);
    out += '\n';
  }
  write_conf_indent(out, level);
  out += '}';
}

}  // namespace basic
