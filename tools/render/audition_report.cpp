#include "tools/render/audition_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zindle_render {
namespace {

std::string format_db(double db, bool known) {
  if (!known) return "n/a";
  if (!std::isfinite(db)) return "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", db);
  return text;
}

double percentile(const std::vector<double>& sorted, double p) {
  const double rank = p * static_cast<double>(sorted.size() - 1);
  const size_t below = static_cast<size_t>(rank);
  if (below + 1 >= sorted.size()) return sorted.back();
  const double above_share = rank - static_cast<double>(below);
  return sorted[below] + (sorted[below + 1] - sorted[below]) * above_share;
}

}  // namespace

LoudnessSpread loudness_spread(std::vector<double> values) {
  LoudnessSpread spread;
  if (values.empty()) return spread;
  std::sort(values.begin(), values.end());
  spread.min = values.front();
  spread.p10 = percentile(values, 0.1);
  spread.median = percentile(values, 0.5);
  spread.p90 = percentile(values, 0.9);
  spread.max = values.back();
  return spread;
}

std::string format_audition_table(const std::vector<ProgramLoudness>& programs) {
  std::string table = "  #  program                  LUFS  true peak  sample peak (dBFS)\n";
  std::vector<double> audible;
  bool metered = false;
  for (size_t i = 0; i < programs.size(); ++i) {
    const LoudnessReading& r = programs[i].reading;
    char row[160];
    std::snprintf(row, sizeof row, "%3zu  %-22s %6s  %9s  %11s\n", i, programs[i].name.c_str(),
                  format_db(r.integrated_lufs, r.metered).c_str(), format_db(r.true_peak_dbfs, r.metered).c_str(),
                  format_db(r.sample_peak_dbfs, true).c_str());
    table += row;
    metered = metered || r.metered;
    if (r.metered && std::isfinite(r.integrated_lufs)) audible.push_back(r.integrated_lufs);
  }
  if (!metered) return table + "loudness: not measured (built without libebur128)\n";
  const LoudnessSpread s = loudness_spread(audible);
  char summary[200];
  std::snprintf(summary, sizeof summary,
                "loudness (LUFS): min %.1f  p10 %.1f  median %.1f  p90 %.1f  max %.1f  (spread %.1f LU, %zu silent)\n",
                s.min, s.p10, s.median, s.p90, s.max, s.max - s.min, programs.size() - audible.size());
  return table + summary;
}

}  // namespace zindle_render
