#include "gui/key_velocity_mapper.h"

#include <algorithm>

namespace pengui {

double KeyVelocityDefaultMapper::velocity(int y, int top, int bottom) const {
  // A key without height has no position to read: play it at the middle velocity.
  if (bottom <= top) return 1.0;
  const double v = 2.0 * (y - top) / (bottom - top);
  return std::clamp(v, 0.0, 2.0);
}

}  // namespace pengui
