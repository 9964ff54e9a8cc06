#pragma once
// The loudness table of an audition: one row per program, each measured
// alone on its phrase, and how widely the bank's loudness spreads.

#include <string>
#include <vector>

#include "tools/render/loudness.h"

namespace zindle_render {

struct ProgramLoudness {
  std::string name;
  LoudnessReading reading;
};

struct LoudnessSpread {
  double min = 0.0;
  double p10 = 0.0;
  double median = 0.0;
  double p90 = 0.0;
  double max = 0.0;
};

// Percentiles interpolate linearly between ranks (rank = p × (count - 1)).
// An empty list gives zeros.
LoudnessSpread loudness_spread(std::vector<double> values);

// Table with program number, name, integrated LUFS, true and sample peak in
// dBFS, then the spread over the programs that are not silent.
std::string format_audition_table(const std::vector<ProgramLoudness>& programs);

}  // namespace zindle_render
