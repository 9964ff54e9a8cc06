#include "framework/editor/preset_fade_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mppi {

namespace {
constexpr double kBase = 100.0;
constexpr int kMaxWidth = 32;
constexpr int kMaxDecimals = 9;
}  // namespace

double PresetFadeTime::seconds_from_knob(double p) {
  if (!std::isfinite(p)) p = 0.0;
  return std::pow(kBase, std::clamp(p, 0.0, 1.0)) - 1.0;
}

double PresetFadeTime::knob_from_seconds(double t) {
  if (!std::isfinite(t)) t = 0.0;
  return std::log(1.0 + std::clamp(t, 0.0, kMaxSeconds)) / std::log(kBase);
}

std::string PresetFadeTime::format(double t, int width, int decimals, bool left_align) {
  width = std::clamp(width, 0, kMaxWidth);
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  if (!std::isfinite(t)) t = 0.0;
  char text[64];
  // The '0' flag does nothing beside '-', so the left-aligned forms omit it.
  if (decimals > 0) {
    if (left_align)
      std::snprintf(text, sizeof text, "%-*.*lf", width, decimals, t);
    else
      std::snprintf(text, sizeof text, "%0*.*lf", width, decimals, t);
  } else {
    const int whole = static_cast<int>(std::lround(std::clamp(t, -1e6, 1e6)));
    if (left_align)
      std::snprintf(text, sizeof text, "%-*d", width, whole);
    else
      std::snprintf(text, sizeof text, "%0*d", width, whole);
  }
  return text;
}

}  // namespace mppi
