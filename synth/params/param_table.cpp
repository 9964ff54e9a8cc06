#include "synth/params/param_table.h"

#include <cstring>

namespace synth {

int find_param_index(const char* name) {
  if (name == nullptr) return -1;
  for (int i = 0; i < kNbrParams; ++i) {
    if (std::strcmp(table::kRows[i].name, name) == 0) return i;
  }
  return -1;
}

}  // namespace synth

