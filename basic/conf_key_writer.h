#pragma once
// Helpers shared by the writers of keys and contents.

#include <string>

namespace basic {

class ConfKeyInterface;

constexpr int kConfKeyIndentWidth = 3;

void write_conf_indent(std::string& out, int level);

// Writes a name or a string, in double quotes when the reader would
// otherwise split it, drop part of it or take it for a symbol.
void write_conf_string(std::string& out, const std::string& str);
bool needs_conf_quotes(const std::string& str);

// The whole text of a tree, ending with a line feed.
std::string write_conf_text(const ConfKeyInterface& root);

}  // namespace basic
