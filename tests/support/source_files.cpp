#include "support/source_files.h"

#include <fstream>
#include <sstream>

namespace zindle_test {

std::string source_path(const std::string& relative) { return std::string(ZINDLE_SOURCE_DIR) + "/" + relative; }

std::string read_source_file(const std::string& relative) {
  std::ifstream in(source_path(relative), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace zindle_test
