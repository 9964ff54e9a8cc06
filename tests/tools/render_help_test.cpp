// zindle-render --help: the usage on standard output, exit 0, nothing run.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifdef ZINDLE_RENDER_EXE
#include <sys/wait.h>

namespace {

struct ToolRun {
  int exit_code;
  std::string out;
};

// Standard output of the tool; standard error is dropped.
ToolRun run_render(const std::string& args) {
  const std::string command = std::string(ZINDLE_RENDER_EXE) + " " + args + " 2>/dev/null";
  ToolRun run{-1, {}};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

TEST(RenderTool, HelpPrintsTheUsageAndSucceeds) {
  // Help wins over every other argument, even a faulty one.
  for (const char* flag : {"--help", "-h", "--rate 5 --help song.mid --demo"}) {
    const ToolRun run = run_render(flag);
    EXPECT_EQ(run.exit_code, 0) << flag;
    EXPECT_EQ(run.out.rfind("usage: zindle-render", 0), 0u) << run.out;
    for (const char* option : {"--demo", "--audition", "--plugin", "--output"}) {
      EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
  }
  // A usage error says it on standard error only, and fails.
  const ToolRun bad = run_render("--bogus");
  EXPECT_EQ(bad.exit_code, 2);
  EXPECT_EQ(bad.out, "");
}
#endif
