#pragma once
// The readable preset source: one block per program, a name in brackets
// and then "Parameter Name = value" lines with the value in the unit the
// parameter shows ("10 ms", "-6 dB", "440 Hz", "+12.00", a label).
//
//   # comment
//   [80sBass]
//   Osc Mode = Mono
//   ADSR Atk Time = 5 ms
//
// Parameters a program does not name keep their initial values.

#include <string>
#include <vector>

namespace bankgen {

struct PresetSetting {
  std::string param;
  std::string value;
  int line = 0;
};

struct PresetSource {
  std::string name;
  int line = 0;
  std::vector<PresetSetting> settings;
};

// Returns an empty string on success, else "line N: what is wrong".
std::string parse_preset_source(const std::string& text, std::vector<PresetSource>& out);

}  // namespace bankgen
