#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basic/conf_key_multi.h"
#include "basic/setting_client_interface.h"
#include "framework/settings/setting_mgr.h"
#include "settings_test_util.h"
#include "support/framework_reorder_section.h"

using settings_test::Reorder;
using settings_test::TempFolder;

namespace {

void set_order(mppi::ParamReorder& map, const std::vector<std::string>& entries) {
  ASSERT_EQ(map.read_settings(*zindle_test::reorder_section(entries)), 0);
}

// Records what it read; refuses to read or write when told to.
class ProbeClient : public basic::SettingClientInterface {
public:
  int write_settings(basic::ConfKeyMulti& section) const override {
    if (write_error != 0) return write_error;
    section.set_string("probe/value", value);
    return 0;
  }
  int read_settings(const basic::ConfKeyMulti& section) override {
    ++nbr_reads;
    if (read_error != 0) return read_error;
    value = section.get_string("probe/value");
    return 0;
  }
  std::string value = "initial";
  int nbr_reads = 0;
  int read_error = 0;
  int write_error = 0;
};

struct ZindleMgr : mppi::SettingMgr {
  ZindleMgr() { init("Zindle-BR", 1.31, "Brakka"); }
};

}  // namespace

TEST(SettingMgr, NamesTheSectionAfterThePluginAndFormatsTheVersion) {
  mppi::SettingMgr mgr;
  mgr.init("Zindle-BR", 1.31, "Brakka");
  EXPECT_EQ(mgr.get_section_name(), "Zindle_BR_config_section");
  EXPECT_EQ(mgr.get_version(), "1.31");
  EXPECT_EQ(mgr.use_autoload().get_path(), "Brakka/Zindle-BR");
  EXPECT_EQ(mppi::SettingMgr::make_section_name("My Synth 2.0!"), "My_Synth_2_0__config_section");
  mgr.init("X", 2.0, "Y");
  EXPECT_EQ(mgr.get_version(), "2.00");
}

TEST(SettingMgr, SaveThenLoadRestoresTheParameterOrder) {
  TempFolder folder;
  const std::string path = folder.file("order.cfg.txt");
  Reorder saved;
  set_order(saved.map, {"53", "0", "12", "7"});
  {
    ZindleMgr mgr;
    mgr.add_client(saved.map);
    ASSERT_EQ(mgr.save(path), 0);
  }
  const std::string text = settings_test::read_file(path);
  EXPECT_EQ(text.rfind("Zindle_BR_config_section =\n{\n   version = 1.31\n   parameter_reorder_map = {\n"
                       "      \"53_Param 53\"\n", 0), 0u) << text;

  Reorder loaded;
  ASSERT_NE(loaded.host_to_internal(), saved.host_to_internal());
  ZindleMgr mgr;
  mgr.add_client(loaded.map);
  ASSERT_EQ(mgr.load(path), 0);
  EXPECT_EQ(loaded.host_to_internal(), saved.host_to_internal());
}

TEST(SettingMgr, RefusedFilesChangeNoClient) {
  const struct {
    const char* what;
    const char* text;
    int code;
  } cases[] = {
      {"another plug-in", "Other_Synth_config_section =\n{\n version = 1.00\n probe = { value = x }\n}\n", -3071},
      {"root is a string", "Zindle_BR_config_section = x", -1016},
      {"root is a list", "Zindle_BR_config_section = { a b }", -1016},
      {"two roots", "a = { b = c }\nd = e", -1015 - 1024},
      {"section not closed", "Zindle_BR_config_section = { probe = { value = x }", -1019 - 1024},
      {"empty file", "", -1018 - 1024},
  };
  for (const auto& c : cases) {
    ProbeClient probe;
    Reorder reorder;
    set_order(reorder.map, {"5"});
    const std::vector<int> before = reorder.host_to_internal();
    ZindleMgr mgr;
    mgr.add_client(probe);
    mgr.add_client(reorder.map);
    EXPECT_EQ(mgr.load_from_text(c.text), c.code) << c.what;
    EXPECT_EQ(probe.nbr_reads, 0) << c.what;
    EXPECT_EQ(reorder.host_to_internal(), before) << c.what;
  }
}

TEST(SettingMgr, EmptyListRootLoadsAsAnEmptySection) {
  ProbeClient probe;
  ZindleMgr mgr;
  mgr.add_client(probe);
  ASSERT_EQ(mgr.load_from_text("Zindle_BR_config_section = { }\n"), 0);
  EXPECT_EQ(probe.nbr_reads, 1);
  EXPECT_EQ(probe.value, "");
}

TEST(SettingMgr, AClientRefusingPartWayRestoresTheEarlierClients) {
  Reorder reorder;
  set_order(reorder.map, {"9"});
  ProbeClient refusing;
  refusing.read_error = -4242;
  ProbeClient never_read;
  ZindleMgr mgr;
  mgr.add_client(reorder.map);
  mgr.add_client(refusing);
  mgr.add_client(never_read);
  const std::string text =
      "Zindle_BR_config_section =\n{\n   parameter_reorder_map = { 1_a 0_b }\n}\n";
  EXPECT_EQ(mgr.load_from_text(text), -4242);
  EXPECT_EQ(reorder.map.to_internal(0), 9);
  EXPECT_EQ(reorder.map.to_internal(1), 1);
  EXPECT_EQ(never_read.nbr_reads, 0);
}

TEST(SettingMgr, FileFaultsAndClientWriteErrors) {
  TempFolder folder;
  ProbeClient probe;
  ZindleMgr mgr;
  mgr.add_client(probe);
  EXPECT_EQ(mgr.load(folder.path().string()), basic::kSettingFileUnreadable);
  EXPECT_EQ(mgr.save(folder.file("no/such/folder.cfg.txt")), basic::kSettingFileUnwritable);

  // A client that cannot write leaves the previous file in place.
  const std::string path = folder.file("kept.cfg.txt");
  settings_test::write_file(path, "kept");
  probe.write_error = -77;
  EXPECT_EQ(mgr.save(path), -77);
  EXPECT_EQ(settings_test::read_file(path), "kept");
}
