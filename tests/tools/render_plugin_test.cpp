// zindle-render run as users run it: on the built plug-in file.
#ifdef ZINDLE_RENDER_EXE

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/signal_measure.h"

namespace {

struct ToolRun {
  int exit_code;
  std::string out;
};

// Exit code and standard output of the tool; standard error is dropped.
ToolRun run_render(const std::string& args) {
  const std::string command = std::string(ZINDLE_RENDER_EXE) + " " + args + " 2>/dev/null";
  ToolRun run{-1, {}};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

ToolRun run_plugin(const std::string& args) { return run_render(std::string("--plugin ") + ZINDLE_PLUGIN_FILE + " " + args); }

const std::string kOut = ZINDLE_TEST_OUT_DIR;

}  // namespace

TEST(RenderPlugin, MidiFilePlaysItsNotesAtTheirPitches) {
  const std::string out = kOut + "/three_notes.wav";
  ASSERT_EQ(run_plugin(std::string(ZINDLE_TEST_DATA_DIR) + "/three_notes.mid --program \"Init Patch\" --float -o " + out).exit_code, 0);
  std::ifstream in(out, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> left;  // of the 32-bit float stereo samples after the header
  for (size_t i = 44; i + 8 <= bytes.size(); i += 8) std::memcpy(&left.emplace_back(), &bytes[i], 4);
  ASSERT_GT(left.size(), 44100u * 3 / 2);
  // Notes 60, 64, 67 each play for 0.5 s from 0, 0.5 and 1.0 s.
  const auto level = [&](int k, int note) {
    return zindle_test::tone_amplitude(left.data() + size_t((0.5 * k + 0.1) * 44100), 8192,
                                       440.0 * std::pow(2.0, (note - 69) / 12.0) / 44100.0);
  };
  const int notes[] = {60, 64, 67};
  for (int k = 0; k < 3; ++k) {
    for (int other : notes) {
      if (other == notes[k]) continue;
      EXPECT_GT(level(k, notes[k]), 10.0 * level(k, other)) << notes[k] << " against " << other;
    }
  }
}

TEST(RenderPlugin, RefusesMissingAndMalformedInput) {
  const std::string out = " -o " + kOut + "/refused.wav";
  std::ofstream(kOut + "/bad.mid") << "MThd this is not a MIDI file";
  for (const std::string& args : {"/no/such/file.mid" + out, kOut + "/bad.mid" + out,
                                  "--demo --program \"No Such Program\"" + out}) {
    EXPECT_NE(run_plugin(args).exit_code, 0) << args;
  }
  EXPECT_NE(run_render("--demo --plugin /no/such/plugin.so" + out).exit_code, 0);
  // A usage error is told on standard error only; help wins over it.
  const ToolRun bad = run_render("--bogus");
  EXPECT_EQ(bad.exit_code, 2);
  EXPECT_EQ(bad.out, "");
  const ToolRun help = run_render("--rate 5 --help song.mid");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.out.rfind("usage: zindle-render", 0), 0u) << help.out;
}

#endif
