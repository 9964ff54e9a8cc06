#include <gtest/gtest.h>

#include <string>

#include "framework/settings/setting_mgr.h"
#include "settings_test_util.h"
#include "synth/plugin/zindle_dsp.h"
#include "sys/persistent_key_list.h"

using settings_test::Reorder;
using settings_test::TempConfigHome;
using settings_test::TempFolder;

namespace {

constexpr const char* kStorePath = "Brakka/Zindle-BR/Autoload";

struct ZindleMgr : mppi::SettingMgr {
  ZindleMgr() { init("Zindle-BR", 1.31, "Brakka"); }
};

// A settings file that puts internal parameter 7 first.
std::string write_settings_file(const TempFolder& folder) {
  const std::string path = folder.file("latest.cfg.txt");
  settings_test::write_file(path,
                            "Zindle_BR_config_section =\n{\n   version = 1.31\n"
                            "   parameter_reorder_map = { 7_x }\n}\n");
  return path;
}

void store(const std::string& name, const std::string& value) {
  sys::PersistentKeyList keys(kStorePath);
  ASSERT_TRUE(keys.write_string(name, value));
}

}  // namespace

// The values live in the user store under XDG_CONFIG_HOME.
TEST(SettingAutoload, RefusesNamesOf1024CharactersOrWithAZero) {
  TempConfigHome home;
  ZindleMgr mgr;
  mppi::SettingAutoload& autoload = mgr.use_autoload();
  std::string name;
  EXPECT_FALSE(autoload.read_latest_file(name));
  EXPECT_TRUE(autoload.write_latest_file(std::string(1023, 'a')));
  EXPECT_FALSE(autoload.write_latest_file(std::string(1024, 'b')));
  EXPECT_FALSE(autoload.write_latest_file(std::string("ab\0cd", 5)));
  autoload.write_autoload_switch(true);
  EXPECT_TRUE(settings_test::fs::exists(home.folder() / "Brakka" / "Zindle-BR" / "Autoload"));
  sys::PersistentKeyList keys(kStorePath);
  ASSERT_TRUE(keys.read_string("LatestConfigFile", name));
  EXPECT_EQ(name, std::string(1023, 'a'));
  ASSERT_TRUE(keys.read_string("LatestConfigAutoload", name));
  EXPECT_EQ(name, "1");
}

TEST(SettingAutoload, LoadsTheLatestFileOnlyWhenSwitchedOnAndStored) {
  TempFolder folder;
  const std::string path = write_settings_file(folder);
  const struct {
    const char* what;
    const char* switch_value;  // null: not stored
    const char* file;          // null: not stored
    int code;
    int first_internal;
  } cases[] = {
      {"on, file stored", "1", path.c_str(), 0, 7},
      {"on, no file stored", "1", nullptr, 0, 0},
      {"off, file stored", "0", path.c_str(), 0, 0},
      {"no switch stored", nullptr, path.c_str(), 0, 0},
      {"on, stored file gone", "1", "/nonexistent/x.cfg.txt", basic::kSettingFileUnreadable, 0},
  };
  for (const auto& c : cases) {
    TempConfigHome case_home;
    if (c.switch_value) store("LatestConfigAutoload", c.switch_value);
    if (c.file) store("LatestConfigFile", c.file);
    ZindleMgr mgr;
    Reorder reorder;
    mgr.add_client(reorder.map);
    EXPECT_EQ(mgr.use_autoload().autoload(), c.code) << c.what;
    EXPECT_EQ(reorder.map.to_internal(0), c.first_internal) << c.what;
  }
}

TEST(SettingDspMixin, TakesTheNamesFromThePluginAndAutoloadsOnceAtTheEndOfInit) {
  TempConfigHome home;
  TempFolder folder;
  store("LatestConfigAutoload", "1");
  store("LatestConfigFile", write_settings_file(folder));

  synth::ZindleDsp dsp;
  mppi::SettingMgr& mgr = dsp.use_setting_mgr();
  EXPECT_EQ(mgr.get_section_name(), "Zindle_BR_config_section");
  EXPECT_EQ(mgr.use_autoload().get_path(), "Brakka/Zindle-BR");

  Reorder reorder;
  mgr.add_client(reorder.map);
  EXPECT_FALSE(dsp.are_settings_loaded());
  dsp.init();
  EXPECT_TRUE(dsp.are_settings_loaded());
  EXPECT_EQ(reorder.map.to_internal(0), 7);

  // Settings are loaded once per instance.
  settings_test::Reorder fresh;
  mgr.add_client(fresh.map);
  dsp.autoload_settings();
  EXPECT_EQ(fresh.map.to_internal(0), 0);
  dsp.stop();
}
