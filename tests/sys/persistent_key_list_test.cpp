#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "support/temp_folder.h"
#include "sys/persistent_key_list.h"

namespace fs = std::filesystem;

using zindle_test::TempConfigHome;

TEST(PersistentKeyList, StoresUnderXdgConfigHomeAndSurvivesReopening) {
  TempConfigHome home;
  {
    sys::PersistentKeyList keys("Brakka/Zindle-BR/Autoload");
    std::string value;
    EXPECT_FALSE(keys.read_string("LatestConfigFile", value));
    EXPECT_TRUE(keys.write_string("LatestConfigFile", "/tmp/a b=c\nd\\e.cfg.txt"));
    EXPECT_TRUE(keys.write_string("LatestConfigAutoload", "1"));  // not seen by another store
  }
  EXPECT_TRUE(fs::exists(home.folder() / "Brakka" / "Zindle-BR" / "Autoload" / "values.keys"));
  sys::PersistentKeyList again("Brakka/Zindle-BR/Autoload");
  std::string value;
  ASSERT_TRUE(again.read_string("LatestConfigFile", value));
  EXPECT_EQ(value, "/tmp/a b=c\nd\\e.cfg.txt");
  sys::PersistentKeyList other("Brakka/Other");
  EXPECT_FALSE(other.read_string("LatestConfigAutoload", value));

  // A file where a folder must go is refused and left as it was.
  std::ofstream(home.folder() / "Blocked") << "not a folder";
  EXPECT_THROW(sys::PersistentKeyList("Blocked/Zindle-BR"), std::runtime_error);
  std::ifstream kept(home.folder() / "Blocked");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "not a folder");
}

