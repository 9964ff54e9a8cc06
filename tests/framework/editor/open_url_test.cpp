// The browser launch behind the setup menu's web entries.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/temp_folder.h"
#include "sys/open_url.h"

namespace {

// A stand-in xdg-open on PATH records what it was given.
class OpenUrl : public ::testing::Test {
protected:
  void install_opener() {
    const std::string script = folder_.file("xdg-open");
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << record() << ".tmp\"\nmv \"" << record()
                          << ".tmp\" \"" << record() << "\"\n";
    ::chmod(script.c_str(), 0755);
  }
  std::string record() const { return folder_.file("opened"); }
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

  zindle_test::TempFolder folder_;
};

// Addresses that could pass for options or split the command line are
// refused before anything starts.
TEST_F(OpenUrl, StartsXdgOpenWithTheAddressAndRefusesBadOnes) {
  {
    const test_support::ScopedEnv path("PATH", folder_.path().c_str());  // no xdg-open there
    EXPECT_FALSE(sys::open_url("https://zindle-br.example.org/"));
  }
  install_opener();
  const test_support::ScopedEnv path("PATH", (folder_.path().string() + ":/usr/bin:/bin").c_str());
  for (const char* bad : {"", "https://a\nb", "--help"}) EXPECT_FALSE(sys::open_url(bad)) << bad;
  const std::string address = "https://zindle-br.example.org/jump?type=product&productid=54&version=131&action=update";
  EXPECT_TRUE(sys::open_url(address));
  EXPECT_EQ(wait_for_record(), address);
}

}  // namespace
