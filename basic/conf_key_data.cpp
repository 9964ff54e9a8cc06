#include "basic/conf_key_data.h"

#include <stdexcept>

#include "basic/conf_key_content_string.h"
#include "basic/conf_key_writer.h"

namespace basic {

ConfKeyData::ConfKeyData(const std::string& name)
    : ConfKeyInterface(name), content_(std::make_unique<ConfKeyContentString>()) {}

ConfKeyData::ConfKeyData(const std::string& name, const std::string& str)
    : ConfKeyInterface(name), content_(std::make_unique<ConfKeyContentString>(str)) {}

void ConfKeyData::set_content(std::unique_ptr<ConfKeyContentInterface> content) {
  if (!content) {
    throw std::runtime_error("basic::ConfKeyData::set_content() : Null content.");
  }
  content_ = std::move(content);
}

std::string ConfKeyData::get_string() const {
  const auto* str = dynamic_cast<const ConfKeyContentString*>(content_.get());
  return str != nullptr ? str->get_string() : std::string();
}

void ConfKeyData::set_string(const std::string& str) {
  if (auto* content = dynamic_cast<ConfKeyContentString*>(content_.get())) {
    content->set_string(str);
  } else {
    content_ = std::make_unique<ConfKeyContentString>(str);
  }
}

void ConfKeyData::do_write_key(std::string& out, int level) const {
  write_conf_indent(out, level);
  write_conf_string(out, get_name());
  out += " = ";
  content_->write_to_string(out, level);
  if (!get_comment().empty()) {
    out += "\t// ";
    out += get_comment();
  }
}

}  // namespace basic
