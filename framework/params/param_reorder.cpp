#include "framework/params/param_reorder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "basic/conf_key_content_multi.h"
#include "basic/conf_key_content_string.h"
#include "basic/conf_key_data.h"
#include "basic/conf_key_multi.h"
#include "framework/params/normalized_param_interface.h"
#include "framework/params/param_access_interface.h"

namespace mppi {
namespace {

// A leading base-10 integer; false when no digit starts the text.
bool read_leading_int(const std::string& text, int& out) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  size_t digits = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
    if (value < 1000000000LL) value = value * 10 + (text[i] - '0');
  }
  if (digits == 0) return false;
  out = static_cast<int>(negative ? -value : value);
  return true;
}

}  // namespace

void ParamReorder::init(ParamAccessInterface& access) {
  access_ = &access;
  nbr_param_ = access.get_nbr_param();
  if (nbr_param_ < 0) nbr_param_ = 0;
  host_index_.reset(new std::atomic<int>[static_cast<size_t>(nbr_param_)]);
  internal_index_.reset(new std::atomic<int>[static_cast<size_t>(nbr_param_)]);
  for (int i = 0; i < nbr_param_; ++i) {
    host_index_[i].store(i);
    internal_index_[i].store(i);
  }
}

int ParamReorder::to_internal(int host_index) const {
  if (host_index < 0 || host_index >= nbr_param_) return host_index;
  return internal_index_[host_index].load(std::memory_order_relaxed);
}

int ParamReorder::to_host(int internal_index) const {
  if (internal_index < 0 || internal_index >= nbr_param_) return internal_index;
  return host_index_[internal_index].load(std::memory_order_relaxed);
}

int ParamReorder::write_settings(basic::ConfKeyMulti& section) const {
  auto list = std::make_unique<basic::ConfKeyContentMulti>();
  for (int k = 0; k < nbr_param_; ++k) {
    const int internal = to_internal(k);
    char buf[256];
    const int prefix = std::snprintf(buf, sizeof buf, "%d_", internal);
    if (access_ && prefix > 0 && prefix < static_cast<int>(sizeof buf)) {
      if (NormalizedParamInterface* p = access_->get_param(internal))
        p->get_name(buf + prefix, static_cast<int>(sizeof buf) - prefix);
    }
    list->add_elt(std::make_unique<basic::ConfKeyContentString>(buf));
  }
  auto key = std::make_unique<basic::ConfKeyData>(kKeyName);
  key->set_content(std::move(list));
  const int existing = section.find_index(kKeyName);
  if (existing >= 0) section.remove_key(existing);
  section.add_key(std::move(key));
  return 0;
}

int ParamReorder::read_settings(const basic::ConfKeyMulti& section) {
  const int index = section.find_index(kKeyName);
  if (index < 0) return 0;
  const auto* data = dynamic_cast<const basic::ConfKeyData*>(&section.use_child(index));
  if (!data) return 0;
  const auto* list = dynamic_cast<const basic::ConfKeyContentMulti*>(&data->use_content());
  if (!list) return 0;

  std::vector<int> host_to_internal(static_cast<size_t>(nbr_param_), -1);
  std::vector<int> internal_to_host(static_cast<size_t>(nbr_param_), -1);
  const int count = std::min(list->get_nbr_elt(), nbr_param_);
  for (int k = 0; k < count; ++k) {
    const auto* entry = dynamic_cast<const basic::ConfKeyContentString*>(&list->use_elt(k));
    int j = 0;
    if (entry && read_leading_int(entry->get_string(), j) && j >= 0 && j < nbr_param_ &&
        internal_to_host[static_cast<size_t>(j)] < 0) {
      host_to_internal[static_cast<size_t>(k)] = j;
      internal_to_host[static_cast<size_t>(j)] = k;
    }
  }
  // Completion: free pairs map to themselves, then the remaining host
  // indices take the remaining internal ones in increasing order.
  for (int i = 0; i < nbr_param_; ++i) {
    if (host_to_internal[static_cast<size_t>(i)] < 0 && internal_to_host[static_cast<size_t>(i)] < 0)
      host_to_internal[static_cast<size_t>(i)] = internal_to_host[static_cast<size_t>(i)] = i;
  }
  int q = 0;
  for (int k = 0; k < nbr_param_; ++k) {
    if (host_to_internal[static_cast<size_t>(k)] >= 0) continue;
    while (internal_to_host[static_cast<size_t>(q)] >= 0) ++q;
    host_to_internal[static_cast<size_t>(k)] = q;
    internal_to_host[static_cast<size_t>(q)] = k;
    ++q;
  }
  for (int i = 0; i < nbr_param_; ++i) {
    internal_index_[i].store(host_to_internal[static_cast<size_t>(i)]);
    host_index_[i].store(internal_to_host[static_cast<size_t>(i)]);
  }
  return 0;
}

}  // namespace mppi
