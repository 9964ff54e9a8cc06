#pragma once
// Files of the source tree that tests read: data under tests/data, the
// readable preset source.

#include <string>

namespace zindle_test {

// Path of a file given relative to the top of the source tree.
std::string source_path(const std::string& relative);

// Whole contents of a file of the source tree; empty when it cannot be read.
std::string read_source_file(const std::string& relative);

}  // namespace zindle_test
