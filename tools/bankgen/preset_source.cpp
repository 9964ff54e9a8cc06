#include "tools/bankgen/preset_source.h"

#include <sstream>

namespace bankgen {
namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::string at_line(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

}  // namespace

std::string parse_preset_source(const std::string& text, std::vector<PresetSource>& out) {
  std::vector<PresetSource> presets;
  std::istringstream in(text);
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    const auto hash = raw.find('#');
    const std::string body = trim(hash == std::string::npos ? raw : raw.substr(0, hash));
    if (body.empty()) continue;
    if (body.front() == '[') {
      if (body.back() != ']') return at_line(line, "a program name needs a closing ']'");
      const std::string name = body.substr(1, body.size() - 2);
      if (name.empty()) return at_line(line, "empty program name");
      if (name.size() > 63) return at_line(line, "program name longer than 63 characters");
      presets.push_back({name, line, {}});
      continue;
    }
    const auto eq = body.find('=');
    if (eq == std::string::npos) return at_line(line, "expected 'Parameter Name = value'");
    if (presets.empty()) return at_line(line, "a setting before the first [program name]");
    const std::string param = trim(body.substr(0, eq));
    const std::string value = trim(body.substr(eq + 1));
    if (param.empty() || value.empty()) return at_line(line, "expected 'Parameter Name = value'");
    for (const auto& s : presets.back().settings) {
      if (s.param == param) return at_line(line, "'" + param + "' is set twice in this program");
    }
    presets.back().settings.push_back({param, value, line});
  }
  out = std::move(presets);
  return {};
}

}  // namespace bankgen
