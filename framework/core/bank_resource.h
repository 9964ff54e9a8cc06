#pragma once
#include "framework/core/bank_manager.h"

namespace mppi {

// Loads the built-in bank resource of type "SNPB" named `name` (letter
// case ignored) into `target`: 0, -1 when there is no such resource, or a
// bank loading code. A failure leaves `target` as it was.
int load_bank_resource(const char* name, BankManager& target);

}  // namespace mppi
