// The setup menu's tree, labels and actions: web jumps, MIDI learn, MIDI
// devices, switches and the about box.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/midi/midi_mgr.h"
#include "sys/persistent_key_list.h"
#include "tests/framework/editor/setup_rig.h"

namespace setup_test {
namespace {

using Labels = std::vector<std::string>;

TEST(SetupMenu, EveryEntryInTreeOrderWithItsLabel) {
  SetupRig r;
  const struct {
    std::vector<std::string> path;  // empty: the root
    Labels labels;
  } levels[] = {
      {{}, {"About...", "Ferrowave on the web", "Settings", "MIDI"}},
      {{"Ferrowave on the web"}, {"Product info...", "Updates...", "Documentation...", "Presets..."}},
      {{"Settings"}, {"Load...", "Save...", "Autoload [Undefined]", "Enhanced mouse mode"}},
      {{"MIDI"},
       {"Auto-bind", "Un-bind [no parameter selected]", "Input device", "Output device",
        "Old erroneous nrpn behaviour"}},
  };
  for (const auto& level : levels) {
    SCOPED_TRACE(level.path.empty() ? "root" : level.path[0]);
    if (level.path.empty()) {
      ASSERT_TRUE(r.setup.popup({10, 10}));
      EXPECT_EQ(SetupRig::labels(r.setup.use_menu()), level.labels);
    } else {
      pengui::MenuEntry* e = r.entry(level.path);
      ASSERT_NE(e, nullptr);
      ASSERT_NE(e->submenu(), nullptr);
      EXPECT_EQ(SetupRig::labels(*e->submenu()), level.labels);
    }
  }
}

// A VST 2 host sees neither format's switches; their own hosts do.
TEST(SetupMenu, FormatSwitchesOnlyForTheirHosts) {
  EXPECT_FALSE(mppi::SetupMgr::shows_au_menu("VST 2.0"));
  EXPECT_FALSE(mppi::SetupMgr::shows_rtas_menu("VST 2.0", 1.0));
  EXPECT_TRUE(mppi::SetupMgr::shows_rtas_menu("RTAS", 1.0));
  EXPECT_FALSE(mppi::SetupMgr::shows_rtas_menu("RTAS", 0.0));

  SetupRig au("AU 2");
  ASSERT_TRUE(au.setup.popup({10, 10}));
  EXPECT_EQ(SetupRig::labels(au.setup.use_menu()),
            (Labels{"About...", "Ferrowave on the web", "Settings", "MIDI", "Audio Unit"}));
  pengui::MenuEntry* old = au.entry({"Audio Unit", "Old erroneous AU automation"});
  ASSERT_NE(old, nullptr);
  EXPECT_FALSE(old->is_ticked());

  // Choosing stores "Old", choosing again "New".
  for (const char* expected : {"Old", "New"}) {
    ASSERT_TRUE(au.choose({"Audio Unit", "Old erroneous AU automation"}));
    sys::PersistentKeyList store("Ferrowave/Zindle-BR");
    std::string value;
    ASSERT_TRUE(store.read_string("AU Auto Compatibility", value));
    EXPECT_EQ(value, expected);
    EXPECT_EQ(au.entry({"Audio Unit", "Old erroneous AU automation"})->is_ticked(), value == "Old");
  }
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

TEST(SetupMenu, DeviceListsShowPortsAndNoneReadOnlyWhenShown) {
  SetupRig r;
  FakeSelector& sel = r.host.selector;
  ASSERT_TRUE(r.setup.popup({10, 10}));
  EXPECT_EQ(r.host.list_updates, 0) << "the root level does not list devices";
  r.setup.use_menu().close();

  pengui::MenuEntry* in = r.entry({"MIDI", "Input device"});
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(r.host.list_updates, 1) << "one reading for both lists";
  EXPECT_EQ(SetupRig::labels(*in->submenu()), (Labels{"VST MIDI In interface", "Midi Through Port-0", "None"}));
  pengui::MenuEntry* out = r.entry({"MIDI", "Output device"});
  const Labels out_labels{"VST MIDI Out interface", "Midi Through Port-0", "USB Keys MIDI 1", "None"};
  EXPECT_EQ(SetupRig::labels(*out->submenu()), out_labels);
  for (int i = 0; i < out->submenu()->size(); ++i) EXPECT_EQ(out->submenu()->entry(i)->is_ticked(), i == 0) << i;

  const struct {
    std::vector<std::string> path;
    const char* selection;
  } choices[] = {
      {{"MIDI", "Output device", "USB Keys MIDI 1"}, "out 2"},
      {{"MIDI", "Input device", "Midi Through Port-0"}, "in 1"},
      {{"MIDI", "Input device", "None"}, "in -1"},
  };
  for (const auto& c : choices) {
    sel.selections.clear();
    ASSERT_TRUE(r.choose(c.path)) << c.selection;
    EXPECT_EQ(sel.selections, Labels{c.selection});
  }
  EXPECT_EQ(sel.selected_out, 2);
  EXPECT_EQ(sel.selected_in, -1);
  pengui::PopupMenu& inputs = *r.entry({"MIDI", "Input device"})->submenu();
  EXPECT_TRUE(inputs.entry(inputs.size() - 1)->is_ticked()) << "None is ticked";
  EXPECT_FALSE(inputs.entry(0)->is_ticked());
  EXPECT_FALSE(r.setup.message_box().is_shown());

  // A selection the system refuses shows its error.
  sel.fail = true;
  ASSERT_TRUE(r.choose({"MIDI", "Input device", "Midi Through Port-0"}));
  ASSERT_TRUE(r.setup.message_box().is_shown());
  const std::vector<std::string>& lines = r.setup.message_box().lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Can't change MIDI device.");
  EXPECT_EQ(lines.back(), "Code -1");
}

TEST(SetupMenu, SwitchesShowTheirStateAsTicks) {
  SetupRig r;
  const bool mouse_before = pengui::is_enhanced_mouse_mode();
  const struct {
    std::vector<std::string> path;
    std::function<bool()> state;
  } switches[] = {
      {{"MIDI", "Old erroneous nrpn behaviour"}, [&] { return !r.midi.midi.is_nrpn_standard(); }},
      {{"Settings", "Enhanced mouse mode"}, [] { return pengui::is_enhanced_mouse_mode(); }},
  };
  for (const auto& s : switches) {
    SCOPED_TRACE(s.path[1]);
    for (int round = 0; round < 2; ++round) {
      const bool before = s.state();
      EXPECT_EQ(r.entry(s.path)->is_ticked(), before);
      ASSERT_TRUE(r.choose(s.path));
      EXPECT_EQ(s.state(), !before);
      EXPECT_EQ(r.entry(s.path)->is_ticked(), !before);
    }
  }
  pengui::set_enhanced_mouse_mode(mouse_before);
}

TEST(SetupMenu, AboutBoxNamesProductVersionAndAddress) {
  SetupRig r;
  ASSERT_TRUE(r.choose({"About..."}));
  ASSERT_TRUE(r.setup.message_box().is_shown());
  const std::vector<std::string>& lines = r.setup.message_box().lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Zindle-BR 1.31");
  EXPECT_EQ(lines[1], "Brakka");
  EXPECT_EQ(lines[2], "https://zindle-br.example.org/");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "VST 2.0"), lines.end());
}

}  // namespace
}  // namespace setup_test
