#include "support/golden_render.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "support/source_files.h"

namespace zindle_test {

namespace {

// Pinned samples are compared with a tolerance so that a build whose
// arithmetic differs in the last bits still checks the sound.
constexpr double kPinnedTolerance = 1e-5;

// FNV-1a, 64 bits, over the bytes of the samples, in hex.
std::string fnv1a_hex(const std::vector<float>& samples) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (float sample : samples) {
    unsigned char bytes[sizeof(float)];
    std::memcpy(bytes, &sample, sizeof bytes);
    for (unsigned char byte : bytes) {
      hash ^= byte;
      hash *= 0x100000001b3ull;
    }
  }
  char text[32];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace

std::string check_golden(const std::string& name, const std::vector<float>& samples) {
  const std::string path = source_path("tests/data/golden/" + name + ".txt");
  const char* bless = std::getenv("ZINDLE_BLESS_GOLDEN");
  if (bless != nullptr && std::strcmp(bless, "1") == 0) {
    std::ofstream out(path);
    out << "# " << name << ": re-bless with ZINDLE_BLESS_GOLDEN=1\n";
    out << "samples " << samples.size() << "\n";
    out << "hash " << fnv1a_hex(samples) << "\n";
    // Eight samples spread over the render, so that a failure says where
    // and by how much the sound moved.
    for (size_t i = 1; i <= 8; ++i) {
      char line[64];
      const size_t position = samples.size() * i / 9;
      std::snprintf(line, sizeof line, "at %zu %.9g\n", position, static_cast<double>(samples[position]));
      out << line;
    }
    return out ? std::string() : "cannot write " + path;
  }

  std::ifstream in(path);
  if (!in) return "missing " + path + " (run with ZINDLE_BLESS_GOLDEN=1)";
  std::ostringstream problems;
  std::string line;
  int pinned = 0;  // the length, the hash and the samples a blessed file holds
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string key;
    fields >> key;
    if (key == "samples") {
      size_t count = 0;
      fields >> count;
      ++pinned;
      if (count != samples.size()) problems << "length " << samples.size() << ", golden " << count << "\n";
    } else if (key == "hash") {
      std::string expected;
      fields >> expected;
      ++pinned;
#if defined(__SSE2_MATH__) || defined(_M_X64)
      // Exact only where float arithmetic is deterministic (SSE2).
      const std::string actual = fnv1a_hex(samples);
      if (actual != expected) problems << "hash " << actual << ", golden " << expected << "\n";
#endif
    } else if (key == "at") {
      size_t position = 0;
      double expected = 0.0;
      fields >> position >> expected;
      ++pinned;
      if (position >= samples.size()) {
        problems << "sample " << position << " missing\n";
      } else if (std::fabs(samples[position] - expected) > kPinnedTolerance) {
        problems << "sample " << position << " is " << samples[position] << ", golden " << expected << "\n";
      }
    }
  }
  if (pinned < 10) problems << path << " pins " << pinned << " of 10 values (re-bless)\n";
  return problems.str();
}

}  // namespace zindle_test
