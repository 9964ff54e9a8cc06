#include "basic/conf_key_multi.h"

#include <stdexcept>

#include "basic/conf_key_data.h"
#include "basic/conf_key_writer.h"

namespace basic {

ConfKeyMulti::ConfKeyMulti(const std::string& name) : ConfKeyInterface(name) {}

ConfKeyInterface& ConfKeyMulti::add_key(std::unique_ptr<ConfKeyInterface> key) {
  if (!key) {
    throw std::runtime_error("basic::ConfKeyMulti::add_key() : Null key.");
  }
  keys_.push_back(std::move(key));
  return *keys_.back();
}

ConfKeyInterface& ConfKeyMulti::use_child(int index) {
  check_index_throw(index, "use_child");
  return *keys_[static_cast<std::size_t>(index)];
}

const ConfKeyInterface& ConfKeyMulti::use_child(int index) const {
  check_index_throw(index, "use_child");
  return *keys_[static_cast<std::size_t>(index)];
}

void ConfKeyMulti::remove_key(int index) {
  check_index_throw(index, "remove_key");
  keys_.erase(keys_.begin() + index);
}

void ConfKeyMulti::check_index_throw(int index, const char* operation) const {
  if (index < 0 || index >= get_nbr_keys()) {
    throw std::runtime_error(std::string("basic::ConfKeyMulti::") + operation +
                             "() : Index out of range.");
  }
}

int ConfKeyMulti::find_index(const std::string& name, int start) const {
  for (int i = start < 0 ? 0 : start; i < get_nbr_keys(); ++i) {
    if (keys_[static_cast<std::size_t>(i)]->get_name() == name) return i;
  }
  return -1;
}

int ConfKeyMulti::find_index_throw(const std::string& name, int start) const {
  const int index = find_index(name, start);
  if (index < 0) {
    throw std::runtime_error("basic::ConfKeyMulti::find_index_throw() : Key not found.");
  }
  return index;
}

void ConfKeyMulti::split_key_path_first(const std::string& path, std::string& first,
                                        std::string& rest) {
  const std::size_t sep = path.find_first_of("/\\");
  if (sep == 0 || path.empty()) {
    throw std::runtime_error("basic::ConfKeyMulti::split_key_path_first() : Invalid key path.");
  }
  if (sep == std::string::npos) {
    first = path;
    rest.clear();
  } else {
    first = path.substr(0, sep);
    rest = path.substr(sep + 1);
  }
}

const ConfKeyInterface* ConfKeyMulti::get_key(const std::string& path) const {
  std::string first;
  std::string rest;
  split_key_path_first(path, first, rest);
  const int index = find_index(first);
  if (index < 0) return nullptr;
  const ConfKeyInterface* child = keys_[static_cast<std::size_t>(index)].get();
  if (rest.empty()) return child;
  const auto* section = dynamic_cast<const ConfKeyMulti*>(child);
  return section != nullptr ? section->get_key(rest) : nullptr;
}

ConfKeyInterface* ConfKeyMulti::get_key(const std::string& path) {
  return const_cast<ConfKeyInterface*>(static_cast<const ConfKeyMulti*>(this)->get_key(path));
}

const ConfKeyInterface& ConfKeyMulti::use_key(const std::string& path) const {
  const ConfKeyInterface* key = get_key(path);
  if (key == nullptr) {
    throw std::runtime_error("basic::ConfKeyMulti::use_key() : Key doesn't exist.");
  }
  return *key;
}

ConfKeyInterface& ConfKeyMulti::use_key(const std::string& path) {
  return const_cast<ConfKeyInterface&>(static_cast<const ConfKeyMulti*>(this)->use_key(path));
}

std::string ConfKeyMulti::get_string(const std::string& path) const {
  const auto* data = dynamic_cast<const ConfKeyData*>(get_key(path));
  return data != nullptr ? data->get_string() : std::string();
}

void ConfKeyMulti::set_string(const std::string& path, const std::string& str) {
  std::string first;
  std::string rest;
  split_key_path_first(path, first, rest);
  const int index = find_index(first);
  ConfKeyInterface* child = index >= 0 ? keys_[static_cast<std::size_t>(index)].get() : nullptr;

  if (rest.empty()) {
    if (auto* data = dynamic_cast<ConfKeyData*>(child)) {
      data->set_string(str);
      return;
    }
    auto data = std::make_unique<ConfKeyData>(first, str);
    if (index >= 0) {
      keys_[static_cast<std::size_t>(index)] = std::move(data);
    } else {
      add_key(std::move(data));
    }
    return;
  }

  auto* section = dynamic_cast<ConfKeyMulti*>(child);
  if (section == nullptr) {
    auto fresh = std::make_unique<ConfKeyMulti>(first);
    section = fresh.get();
    if (index >= 0) {
      keys_[static_cast<std::size_t>(index)] = std::move(fresh);
    } else {
      add_key(std::move(fresh));
    }
  }
  section->set_string(rest, str);
}

bool ConfKeyMulti::is_key_path_unique(const std::string& path) const {
  std::string first;
  std::string rest;
  split_key_path_first(path, first, rest);
  const int index = find_index(first);
  if (index < 0 || find_index(first, index + 1) >= 0) return false;
  if (rest.empty()) return true;
  const auto* section = dynamic_cast<const ConfKeyMulti*>(keys_[static_cast<std::size_t>(index)].get());
  return section != nullptr && section->is_key_path_unique(rest);
}

void ConfKeyMulti::do_write_key(std::string& out, int level) const {
  if (!get_comment().empty()) {
    write_conf_indent(out, level);
    out += "// ";
    out += get_comment();
    out += '\n';
  }
  write_conf_indent(out, level);
  write_conf_string(out, get_name());
  out += " =\n";
  write_conf_indent(out, level);
  out += "{\n";
  for (const auto& key : keys_) {
    key->write_to_string(out, level + 1);
    out += '\n';
  }
  write_conf_indent(out, level);
  out += '}';
}

}  // namespace basic
