#pragma once
// Deep comparison of key trees: names, comments, kinds, order and values.

#include "basic/conf_key_content_interface.h"
#include "basic/conf_key_interface.h"

namespace basic {

bool is_same_conf_content(const ConfKeyContentInterface& a, const ConfKeyContentInterface& b);
bool is_same_conf_tree(const ConfKeyInterface& a, const ConfKeyInterface& b);

}  // namespace basic
