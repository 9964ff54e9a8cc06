// The browser launch behind the setup menu's web entries.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/temp_folder.h"
#include "sys/open_url.h"

namespace {

// A stand-in xdg-open on PATH records what it was given.
class OpenUrl : public ::testing::Test {
protected:
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

  zindle_test::TempFolder temp_;
  const std::string folder_ = temp_.path().string();
  // The test points PATH at its own folder; the old PATH comes back after.
  test_support::ScopedEnv path_{"PATH", "/usr/bin:/bin"};
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
