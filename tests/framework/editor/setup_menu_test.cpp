// The setup menu's actions: MIDI learn, and settings saved and loaded
// through the file dialog with the overwrite question and error boxes.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "framework/midi/midi_mgr.h"
#include "tests/framework/editor/setup_rig.h"

namespace setup_test {
namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SetupMenu, AutoBindLearnsTheNextControllerAndUnBindForgetsIt) {
  SetupRig r;
  constexpr int kParam = 5;
  r.editor.touched = kParam;
  r.after_menu();  // the editor's idle sees the touch
  const std::string name = r.param_name(kParam);

  pengui::MenuEntry* learn = r.entry({"MIDI", "Auto-bind"});
  ASSERT_NE(learn, nullptr);
  EXPECT_EQ(learn->label(), "Auto-bind [target : " + name + "]");
  EXPECT_FALSE(learn->is_ticked());

  ASSERT_TRUE(r.choose({"MIDI", "Auto-bind"}));
  EXPECT_TRUE(r.entry({"MIDI", "Auto-bind"})->is_ticked());
  EXPECT_EQ(r.midi.midi.get_armed(), kParam);

  // A controller that drives nothing yet, as the MIDI thread delivers it.
  r.midi.input.cc(85, 64);
  EXPECT_EQ(r.midi.midi.find_controller(kParam), mppi::MidiMgr::make_id(85, 0));
  EXPECT_NEAR(r.midi.dsp.get_param(kParam)->nrm(), (64 << 7) / 16383.0, 1e-6);
  // One controller ends the one-shot mode.
  pengui::MenuEntry* after = r.entry({"MIDI", "Auto-bind"});
  EXPECT_FALSE(after->is_ticked());
  EXPECT_EQ(r.midi.midi.get_armed(), -1);
  EXPECT_EQ(r.entry({"MIDI", "Un-bind"})->label(), "Un-bind [" + name + " (CC 85)]");

  // Un-bind: the controller then drives nothing.
  ASSERT_TRUE(r.choose({"MIDI", "Un-bind"}));
  EXPECT_FALSE(r.midi.midi.is_bound(kParam));
  EXPECT_EQ(r.entry({"MIDI", "Un-bind"})->label(), "Un-bind [" + name + " (not binded)]");
  r.midi.input.cc(85, 127);
  EXPECT_NEAR(r.midi.dsp.get_param(kParam)->nrm(), (64 << 7) / 16383.0, 1e-6);

  // With the mode off, a controller changes no binding.
  r.editor.touched = 6;
  r.after_menu();
  const int before = r.midi.midi.find_controller(6);
  r.midi.input.cc(86, 10);
  EXPECT_EQ(r.midi.midi.find_controller(6), before);
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

TEST_F(SetupSettings, SaveThenLoadRestoresTheMidiMapAndOverwriteAsksFirst) {
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
  for (const pengui::FileDialogRequest& q : r.dialog->requests) EXPECT_EQ(q.pattern, "*.cfg.txt");
  // The file loaded last is the one autoload would take.
  EXPECT_EQ(r.entry({"Settings", "Autoload"})->label(), "Autoload [" + file + "]");

  // Saving over a file asks first; "n" keeps it.
  std::ofstream(file) << "keep me";
  ASSERT_TRUE(save_to(file));
  EXPECT_EQ(box_lines(), (std::vector<std::string>{file, "already exists. Overwrite ?"}));
  r.answer('n');
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
      {"Load...", broken, true, "Can't load configuration file", nullptr},
      {"Save...", path("no/such/folder/x.cfg.txt"), true, "Can't save configuration file", nullptr},
      {"Save...", path("cancelled.cfg.txt"), false, nullptr, nullptr},
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

}  // namespace
}  // namespace setup_test
