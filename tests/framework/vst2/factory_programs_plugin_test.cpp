// Every factory program played through the plug-in's entry points, the way
// a host selects and plays it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/framework/vst2/vst2_test_host.h"

using vst2_test::Instance;

namespace {

// The notes each program is voiced for, from the "# range: LOW-HIGH"
// comments of the preset source, in program order.
std::vector<std::pair<int, int>> voiced_ranges() {
  const char* data = std::getenv("ZINDLE_TEST_DATA");
  std::ifstream in(std::string(data ? data : "tests/data") + "/../../resources/presets.txt");
  std::vector<std::pair<int, int>> ranges;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') ranges.emplace_back(36, 72);
    int low = 0, high = 0;
    if (!ranges.empty() && std::sscanf(line.c_str(), "# range: %d-%d", &low, &high) == 2)
      ranges.back() = {low, high};
  }
  return ranges;
}

}  // namespace

TEST(FactoryProgramsThroughPlugin, EachSoundsWithoutClippingAndDiffers) {
  const auto ranges = voiced_ranges();
  ASSERT_EQ(ranges.size(), 64u);
  std::set<std::vector<float>> seen;
  for (int program = 0; program < 64; ++program) {
    const auto [low, high] = ranges[static_cast<size_t>(program)];
    const auto mid = static_cast<uint8_t>((low + high) / 2);
    Instance plugin;
    plugin.start(44100.0f, 512);
    plugin.dispatch(effSetProgram, 0, program);
    plugin.send_midi({{0xB0, 123, 0}});  // a clean start for each program
    plugin.render(4096, 512);
    // The lowest voiced note, then the middle one with the highest joining
    // it (two keys: both voices), velocity 127.
    plugin.send_midi({{0x90, static_cast<uint8_t>(low), 127}}, 0);
    std::vector<float> out = plugin.render(22050, 512);
    plugin.send_midi({{0x80, static_cast<uint8_t>(low), 0}, {0x90, mid, 127}, {0x90, static_cast<uint8_t>(high), 127}}, 0);
    std::vector<float> chord = plugin.render(22050, 512);
    out.insert(out.end(), chord.begin(), chord.end());
    plugin.send_midi({{0x80, mid, 0}, {0x80, static_cast<uint8_t>(high), 0}}, 0);

    double peak = 0.0, energy = 0.0;
    bool finite = true;
    for (float x : out) {
      finite = finite && std::isfinite(x);
      peak = std::max(peak, static_cast<double>(std::fabs(x)));
      energy += static_cast<double>(x) * x;
    }
    const std::string name = plugin.text(effGetProgramNameIndexed, program);
    EXPECT_TRUE(finite) << name;
    size_t at = 0;
    for (size_t i = 0; i < out.size(); ++i) {
      if (std::fabs(out[i]) == peak) at = i;
    }
    EXPECT_LT(peak, 1.0) << name << " peaks at sample " << at;
    EXPECT_GT(std::sqrt(energy / out.size()), std::pow(10.0, -60.0 / 20.0)) << name << " is silent";
    // Pairwise different: no two programs give the same samples.
    std::vector<float> fingerprint(out.begin(), out.begin() + 44100);
    EXPECT_TRUE(seen.insert(fingerprint).second) << name << " renders like another program";
  }
}
