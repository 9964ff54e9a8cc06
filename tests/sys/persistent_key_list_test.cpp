#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/temp_folder.h"
#include "sys/persistent_key_list.h"
#include "sys/tick.h"

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
}

TEST(PersistentKeyList, AFileInTheWayRefusesThePath) {
  TempConfigHome home;
  std::ofstream(home.folder() / "Brakka") << "not a folder";
  EXPECT_THROW(sys::PersistentKeyList("Brakka/Zindle-BR"), std::runtime_error);
}

TEST(Tick, AdvancesInMilliseconds) {
  const uint32_t t0 = sys::get_tick_ms();
  ::usleep(30000);
  const uint32_t elapsed = sys::get_tick_ms() - t0;
  EXPECT_GE(elapsed, 29u);
  EXPECT_LT(elapsed, 2000u);
}
