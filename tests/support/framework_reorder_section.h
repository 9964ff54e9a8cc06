#pragma once
// A settings section holding a parameter reorder list, as a settings file
// stores it: entries "<internal index>_<name>" in host order.

#include <memory>
#include <string>
#include <vector>

#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_content_string.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"

namespace zindle_test {

inline std::unique_ptr<basic::ConfKeyMulti> reorder_section(const std::vector<std::string>& entries) {
  auto section = std::make_unique<basic::ConfKeyMulti>("root");
  auto list = std::make_unique<basic::ConfKeyContentMulti>();
  for (const auto& e : entries) list->add_elt(std::make_unique<basic::ConfKeyContentString>(e));
  auto key = std::make_unique<basic::ConfKeyData>("parameter_reorder_map");
  key->set_content(std::move(list));
  section->add_key(std::move(key));
  return section;
}

}  // namespace zindle_test
