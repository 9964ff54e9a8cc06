// The browser launch behind the setup menu's web entries.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "sys/open_url.h"

namespace {

// A stand-in xdg-open on PATH records what it was given.
class OpenUrl : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/zindle_open_url_XXXXXX";
    folder_ = ::mkdtemp(pattern);
    if (const char* path = std::getenv("PATH")) old_path_ = path;
  }
  void TearDown() override {
    ::setenv("PATH", old_path_.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  void install_opener() {
    const std::string script = folder_ + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << record() << ".tmp\"\nmv \"" << record()
                          << ".tmp\" \"" << record() << "\"\n";
    ::chmod(script.c_str(), 0755);
  }
  std::string record() const { return folder_ + "/opened"; }
  std::string wait_for_record() const {
    for (int i = 0; i < 200; ++i) {
      std::ifstream in(record());
      if (in) {
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "(nothing opened)";
  }

  std::string folder_;
  std::string old_path_;
};

// Addresses that could pass for options or split the command line are
// refused before anything starts.
TEST_F(OpenUrl, StartsXdgOpenWithTheAddressAndRefusesBadOnes) {
  ::setenv("PATH", folder_.c_str(), 1);  // no xdg-open there
  EXPECT_FALSE(sys::open_url("https://zindle-br.example.org/"));
  install_opener();
  ::setenv("PATH", (folder_ + ":/usr/bin:/bin").c_str(), 1);
  for (const char* bad : {"", "https://a\nb", "--help"}) EXPECT_FALSE(sys::open_url(bad)) << bad;
  const std::string address = "https://zindle-br.example.org/jump?type=product&productid=54&version=131&action=update";
  EXPECT_TRUE(sys::open_url(address));
  EXPECT_EQ(wait_for_record(), address);
}

}  // namespace
