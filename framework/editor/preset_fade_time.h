#pragma once
// The preset fade time and its knob: a logarithmic scale from 0 to 99 s,
// so that the short times a performer uses most get most of the turn.

#include <string>

namespace mppi {

struct PresetFadeTime {
  static constexpr double kDefaultSeconds = 1.0;
  static constexpr double kMaxSeconds = 99.0;

  // t = 100^p - 1 for a knob position p in 0..1 (kept inside).
  static double seconds_from_knob(double p);
  // p = ln(1 + t) / ln(100), the inverse.
  static double knob_from_seconds(double t);
  // The display text: `decimals` after the point and at least `width`
  // characters, zero-padded (left-aligned instead when `left_align`); with
  // no decimals the time rounded to whole seconds.
  static std::string format(double t, int width, int decimals, bool left_align = false);
};

}  // namespace mppi
