// Settings from the setup menu: save and load through the file dialog, the
// overwrite question, the error boxes and the autoload switch.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "framework/midi/midi_mgr.h"
#include "framework/settings/setting_autoload.h"
#include "tests/framework/editor/setup_rig.h"

namespace setup_test {
namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SetupSettings : public ::testing::Test {
protected:
  std::string path(const char* name) const { return (r.midi.store.folder() / name).string(); }
  bool save_to(const std::string& file) {
    r.dialog->path = file;
    return r.choose({"Settings", "Save..."});
  }
  const std::vector<std::string>& box_lines() { return r.setup.message_box().lines(); }

  SetupRig r;
};

TEST_F(SetupSettings, SaveThenLoadRestoresTheMidiMap) {
  mppi::MidiMgr& midi = r.midi.midi;
  ASSERT_EQ(midi.bind(3, 74, 0), 0);
  ASSERT_EQ(midi.bind(7, mppi::MidiMgr::kKindNrpn, 1234), 0);
  const std::string file = path("studio.cfg.txt");
  ASSERT_TRUE(save_to(file));
  EXPECT_FALSE(r.setup.message_box().is_shown());
  EXPECT_NE(read_file(file).find("nrpn_1234"), std::string::npos);

  ASSERT_EQ(midi.bind(3, 20, 0), 0);
  ASSERT_EQ(midi.unbind(7), 0);
  r.dialog->path = file;
  ASSERT_TRUE(r.choose({"Settings", "Load..."}));
  EXPECT_FALSE(r.setup.message_box().is_shown());
  EXPECT_EQ(midi.find_controller(3), mppi::MidiMgr::make_id(74, 0));
  EXPECT_EQ(midi.find_controller(7), mppi::MidiMgr::make_id(mppi::MidiMgr::kKindNrpn, 1234));

  // Both dialogs as the user sees them.
  ASSERT_EQ(r.dialog->requests.size(), 2u);
  for (const pengui::FileDialogRequest& q : r.dialog->requests) {
    EXPECT_EQ(q.title, q.save ? "Save Setting File" : "Load Setting File");
    EXPECT_EQ(q.filter_name, "Ferrowave plug-in setting file (*.cfg.txt)");
    EXPECT_EQ(q.pattern, "*.cfg.txt");
    EXPECT_EQ(q.folder, r.host.settings_path);
  }
  EXPECT_TRUE(r.dialog->requests[0].save);
  EXPECT_FALSE(r.dialog->requests[1].save);
  // The file loaded last is the one autoload would take.
  EXPECT_EQ(r.entry({"Settings", "Autoload"})->label(), "Autoload [" + file + "]");
}

TEST_F(SetupSettings, OverwriteAsksFirstAndNoWritesNothing) {
  const std::string file = path("taken.cfg.txt");
  std::ofstream(file) << "keep me";
  ASSERT_TRUE(save_to(file));
  ASSERT_TRUE(r.setup.message_box().is_shown());
  EXPECT_EQ(box_lines(), (std::vector<std::string>{file, "already exists. Overwrite ?"}));
  r.answer('n');
  EXPECT_FALSE(r.setup.message_box().is_shown());
  EXPECT_EQ(read_file(file), "keep me");

  ASSERT_TRUE(save_to(file));
  r.answer('y');
  EXPECT_NE(read_file(file).find("Zindle_BR_config_section"), std::string::npos);
}

// Each failure shows its box and changes neither the MIDI map nor the
// file autoload would take; a cancelled dialog shows nothing.
TEST_F(SetupSettings, FailuresShowTheirBoxAndChangeNothing) {
  const std::string other = path("other.cfg.txt");
  std::ofstream(other) << "Other_plugin_config_section = {\n  midi = {\n    control_map = {\n      id_3 = cc_9\n    }\n  }\n}\n";
  const std::string broken = path("broken.cfg.txt");
  std::ofstream(broken) << "Zindle_BR_config_section = { midi = ";
  const struct {
    const char* entry;
    std::string file;
    bool ok;
    const char* first_line;  // null: no box
    const char* code;        // null: any code
  } cases[] = {
      {"Load...", other, true, "Can't load configuration file", "Code -3071"},
      {"Load...", path("missing.cfg.txt"), true, "Can't load configuration file", nullptr},
      {"Load...", broken, true, "Can't load configuration file", nullptr},
      {"Save...", path("no/such/folder/x.cfg.txt"), true, "Can't save configuration file", nullptr},
      {"Save...", path("cancelled.cfg.txt"), false, nullptr, nullptr},
      {"Load...", other, false, nullptr, nullptr},
  };
  mppi::MidiMgr& midi = r.midi.midi;
  ASSERT_EQ(midi.bind(3, 74, 0), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    r.dialog->ok = c.ok;
    r.dialog->path = c.file;
    ASSERT_TRUE(r.choose({"Settings", c.entry}));
    ASSERT_EQ(r.setup.message_box().is_shown(), c.first_line != nullptr);
    if (c.first_line) {
      ASSERT_GE(box_lines().size(), 3u);
      EXPECT_EQ(box_lines()[0], c.first_line);
      EXPECT_EQ(box_lines()[1], c.file);
      EXPECT_EQ(box_lines().back().rfind("Code -", 0), 0u) << box_lines().back();
      if (c.code) {
        EXPECT_EQ(box_lines().back(), c.code);
      }
      r.answer('\n');
      EXPECT_FALSE(r.setup.message_box().is_shown());
    }
    EXPECT_EQ(midi.find_controller(3), mppi::MidiMgr::make_id(74, 0));
  }
  EXPECT_FALSE(std::ifstream(path("cancelled.cfg.txt")).good());
  EXPECT_EQ(r.entry({"Settings", "Autoload"})->label(), "Autoload [Undefined]");
}

TEST_F(SetupSettings, AutoloadEntryTogglesTheSwitchAndShowsTheLatestFile) {
  mppi::SettingAutoload& autoload = *r.midi.dsp.get_setting_autoload();
  EXPECT_FALSE(r.entry({"Settings", "Autoload"})->is_ticked());
  ASSERT_TRUE(r.choose({"Settings", "Autoload"}));
  EXPECT_TRUE(autoload.read_autoload_switch());
  EXPECT_TRUE(r.entry({"Settings", "Autoload"})->is_ticked());
  ASSERT_TRUE(r.choose({"Settings", "Autoload"}));
  EXPECT_FALSE(autoload.read_autoload_switch());

  // A long name keeps its last 61 characters.
  const std::string name = "/home/someone/music/projects/2026/zindle/settings-for-the-live-set.cfg.txt";
  ASSERT_EQ(name.size(), 74u);
  ASSERT_TRUE(autoload.write_latest_file(name));
  EXPECT_EQ(r.entry({"Settings", "Autoload"})->label(), "Autoload [..." + name.substr(74 - 61) + "]");
}

}  // namespace
}  // namespace setup_test
