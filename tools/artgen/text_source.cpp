#include "tools/artgen/text_source.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace artgen {
namespace {

int to_int(const std::string& text, const SourceLine& line) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end) line.fail("not a whole number: " + text);
  return int(v);
}

}  // namespace

void SourceLine::fail(const std::string& what) const {
  throw std::runtime_error(file + ":" + std::to_string(number) + ": " + what);
}

const std::string& SourceLine::word(size_t i) const {
  if (i >= words.size()) fail("missing word " + std::to_string(i + 1));
  return words[i];
}

std::string SourceLine::key(const std::string& k, const std::string& fallback) const {
  auto it = keys.find(k);
  return it == keys.end() ? fallback : it->second;
}

const std::string& SourceLine::key(const std::string& k) const {
  auto it = keys.find(k);
  if (it == keys.end()) fail("missing " + k + "=");
  return it->second;
}

int SourceLine::int_key(const std::string& k) const { return to_int(key(k), *this); }

int SourceLine::int_key(const std::string& k, int fallback) const {
  auto it = keys.find(k);
  return it == keys.end() ? fallback : to_int(it->second, *this);
}

double SourceLine::real_key(const std::string& k, double fallback) const {
  auto it = keys.find(k);
  if (it == keys.end()) return fallback;
  char* end = nullptr;
  const double v = std::strtod(it->second.c_str(), &end);
  if (it->second.empty() || *end) fail("not a number: " + it->second);
  return v;
}

std::string read_file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<unsigned char> read_file_bytes(const std::string& path) {
  const std::string text = read_file_text(path);
  return std::vector<unsigned char>(text.begin(), text.end());
}

std::vector<SourceLine> read_source_lines(const std::string& path) {
  std::istringstream in(read_file_text(path));
  std::vector<SourceLine> lines;
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    SourceLine line;
    line.file = path;
    line.number = number;
    size_t i = 0;
    while (i < raw.size()) {
      if (raw[i] == ' ' || raw[i] == '\t' || raw[i] == '\r') {
        ++i;
        continue;
      }
      // '#' opens a comment at the start of a line or before a blank;
      // "#rrggbb" colours are words.
      const bool line_start = raw.find_first_not_of(" \t") == i;
      if (raw[i] == '#' && (line_start || i + 1 == raw.size() || raw[i + 1] == ' ' || raw[i + 1] == '\t')) break;
      std::string token, key;
      bool has_key = false;
      while (i < raw.size() && raw[i] != ' ' && raw[i] != '\t' && raw[i] != '\r') {
        if (raw[i] == '"') {
          const size_t close = raw.find('"', i + 1);
          if (close == std::string::npos) line.fail("unclosed quote");
          token += raw.substr(i + 1, close - i - 1);
          i = close + 1;
        } else if (raw[i] == '=' && !has_key) {
          has_key = true;
          key = token;
          token.clear();
          ++i;
        } else {
          token += raw[i++];
        }
      }
      if (has_key) {
        if (!line.keys.emplace(key, token).second) line.fail("repeated " + key + "=");
      } else {
        line.words.push_back(token);
      }
    }
    if (!line.words.empty() || !line.keys.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

uint32_t parse_colour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') throw std::runtime_error("not a colour #rrggbb: " + text);
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
  if (*end) throw std::runtime_error("not a colour #rrggbb: " + text);
  return uint32_t(v);
}

}  // namespace artgen
