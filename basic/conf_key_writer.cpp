#include "basic/conf_key_writer.h"

#include "basic/conf_key_interface.h"

namespace basic {

void write_conf_indent(std::string& out, int level) {
  out.append(static_cast<std::size_t>(level) * kConfKeyIndentWidth, ' ');
}

bool needs_conf_quotes(const std::string& str) {
  // Blank, tab, line feed and comma as the format has always quoted them;
  // the other separators, the symbols, "//" and the empty string so that
  // every string the reader can produce reads back unchanged.
  if (str.empty() || str.find("//") != std::string::npos) return true;
  return str.find_first_of(" \t\n,\r\b\v={}") != std::string::npos;
}

void write_conf_string(std::string& out, const std::string& str) {
  if (needs_conf_quotes(str)) {
    out += '"';
    out += str;
    out += '"';
  } else {
    out += str;
  }
}

std::string write_conf_text(const ConfKeyInterface& root) {
  std::string out;
  root.write_to_string(out, 0);
  out += '\n';
  return out;
}

}  // namespace basic
