#pragma once
// The line format shared by the art sources: words separated by blanks,
// "quoted strings" kept whole, key=value pairs, '#' starting a comment.

#include <map>
#include <string>
#include <vector>

namespace artgen {

struct SourceLine {
  std::string file;  // for messages
  int number = 0;
  std::vector<std::string> words;           // positional words, quotes removed
  std::map<std::string, std::string> keys;  // key=value pairs

  const std::string& word(size_t i) const;  // throws naming the line when missing
  std::string key(const std::string& k, const std::string& fallback) const;
  const std::string& key(const std::string& k) const;  // throws when missing
  int int_key(const std::string& k) const;
  int int_key(const std::string& k, int fallback) const;
  double real_key(const std::string& k, double fallback) const;
  [[noreturn]] void fail(const std::string& what) const;
};

// Splits a whole file; throws std::runtime_error naming file and line.
std::vector<SourceLine> read_source_lines(const std::string& path);
std::string read_file_text(const std::string& path);
std::vector<unsigned char> read_file_bytes(const std::string& path);

// "#rrggbb" to 0xRRGGBB; throws on anything else.
uint32_t parse_colour(const std::string& text);

}  // namespace artgen
