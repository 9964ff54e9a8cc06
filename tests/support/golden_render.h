#pragma once
// Short reference renders kept under tests/data/golden: a hash over the
// exact float bytes and a few pinned samples per render. Running a test
// with ZINDLE_BLESS_GOLDEN=1 rewrites the files instead of comparing.

#include <string>
#include <vector>

namespace zindle_test {

// Compares `samples` with tests/data/golden/<name>.txt (or rewrites it when
// blessing). Returns an empty string on a match, else what differs.
std::string check_golden(const std::string& name, const std::vector<float>& samples);

}  // namespace zindle_test
