#include "framework/core/bank_resource.h"

#include <climits>

#include "framework/core/bank_file.h"
#include "sys/resources.h"

namespace mppi {

int load_bank_resource(const char* name, BankManager& target) {
  sys::ResourceView view;
  if (!sys::get_resource(name, "SNPB", view)) return -1;
  if (view.size > static_cast<std::size_t>(INT_MAX)) return kBankBodyReadShort;
  return load_bank_memory(view.data, static_cast<int>(view.size), target, nullptr, false);
}

}  // namespace mppi
