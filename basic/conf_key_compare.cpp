#include "basic/conf_key_compare.h"

#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_content_string.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"

namespace basic {

bool is_same_conf_content(const ConfKeyContentInterface& a, const ConfKeyContentInterface& b) {
  const auto* str_a = dynamic_cast<const ConfKeyContentString*>(&a);
  const auto* str_b = dynamic_cast<const ConfKeyContentString*>(&b);
  if (str_a != nullptr || str_b != nullptr) {
    return str_a != nullptr && str_b != nullptr && str_a->get_string() == str_b->get_string();
  }
  const auto* list_a = dynamic_cast<const ConfKeyContentMulti*>(&a);
  const auto* list_b = dynamic_cast<const ConfKeyContentMulti*>(&b);
  if (list_a == nullptr || list_b == nullptr) return false;
  if (list_a->get_nbr_elt() != list_b->get_nbr_elt()) return false;
  for (int i = 0; i < list_a->get_nbr_elt(); ++i) {
    if (!is_same_conf_content(list_a->use_elt(i), list_b->use_elt(i))) return false;
  }
  return true;
}

bool is_same_conf_tree(const ConfKeyInterface& a, const ConfKeyInterface& b) {
  if (a.get_name() != b.get_name() || a.get_comment() != b.get_comment()) return false;
  const auto* data_a = dynamic_cast<const ConfKeyData*>(&a);
  const auto* data_b = dynamic_cast<const ConfKeyData*>(&b);
  if (data_a != nullptr || data_b != nullptr) {
    return data_a != nullptr && data_b != nullptr &&
           is_same_conf_content(data_a->use_content(), data_b->use_content());
  }
  const auto* multi_a = dynamic_cast<const ConfKeyMulti*>(&a);
  const auto* multi_b = dynamic_cast<const ConfKeyMulti*>(&b);
  if (multi_a == nullptr || multi_b == nullptr) return false;
  if (multi_a->get_nbr_keys() != multi_b->get_nbr_keys()) return false;
  for (int i = 0; i < multi_a->get_nbr_keys(); ++i) {
    if (!is_same_conf_tree(multi_a->use_child(i), multi_b->use_child(i))) return false;
  }
  return true;
}

}  // namespace basic
