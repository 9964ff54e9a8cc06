// The preset manager on real toolkit controls in a window without a
// display, over a host whose program storage is a plain bank.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/host_gui_interface.h"
#include "framework/core/prog_st_ld_default.h"
#include "framework/editor/preset_fade_time.h"
#include "support/editor_input.h"
#include "support/scripted_file_dialog.h"
#include "framework/editor/preset_manager2.h"
#include "gui/flip_flop.h"
#include "gui/knob.h"
#include "gui/popup_menu_view.h"
#include "gui/push_button.h"
#include "gui/support/fake_native_window.h"
#include "gui/text_box.h"
#include "gui/text_edit.h"
#include "gui/window.h"
#include "support/fake_param_access.h"
#include "synth/plugin/builtin_banks.h"

namespace {

constexpr int kPrograms = 64;
constexpr int kValues = 4;

struct Applied {
  std::vector<float> values;
  std::string name;
  int source;
};

// Program storage as the adapter keeps it: the current program is the
// live sound, and applying a program writes it there.
class ProgramHost : public mppi::HostGuiInterface {
public:
  ProgramHost() {
    bank.resize(kPrograms);
    for (int i = 0; i < kPrograms; ++i) {
      mppi::ProgramSlot& p = bank.use_program(i);
      p.set_name("Prog " + std::to_string(i + 1));
      p.values = {0.01f * static_cast<float>(i), 1.0f - 0.01f * static_cast<float>(i), 0.5f, 0.25f};
    }
  }
  double get_host_num_property(const char*) override { return 0.0; }
  std::string get_host_string_property(const char*) override { return {}; }
  bool can_take_control(int, int) override { return true; }
  bool take_control(int, int) override { return true; }
  void release_control(int, int) override {}
  bool set_param_and_notify(int, float, int) override { return true; }
  void apply_program(const mppi::ProgramSlot& program, int source) override {
    applied.push_back({program.values, program.name, source});
    bank.use_program(current) = program;
  }
  void publish_bank(const mppi::BankManager&) override { ++published; }
  int resize_window(int, int) override { return 0; }
  void get_settings_path(std::string& out) override { out = "/settings/folder/"; }
  mppi::MidiMgr* get_midi_mgr() override { return nullptr; }
  int get_current_program() override { return current; }
  bool get_bank(mppi::BankManager& out) override {
    out = bank;
    return true;
  }
  bool set_current_program(int index) override {
    current = index;
    return true;
  }
  bool store_program(int index) override {
    bank.use_program(index) = bank.use_program(current);
    current = index;
    return true;
  }
  bool set_program_name(int index, const std::string& name) override {
    bank.use_program(index).set_name(name);
    return true;
  }

  mppi::BankManager bank;
  int current = 0;
  int published = 0;
  std::vector<Applied> applied;
};

// Parameter 2 is stepped, parameter 3 cannot be automated; the others glide.
class MixedParam : public zindle_test::NamedParam {
public:
  explicit MixedParam(int i) : NamedParam(i), index_(i) {}
  int is_discrete() const override { return index_ == 2 ? 4 : 0; }
  bool is_automatable() const override { return index_ != 3; }

private:
  int index_;
};

const MixedParam* mixed_param(int index) {
  static const MixedParam params[kValues] = {MixedParam(0), MixedParam(1), MixedParam(2), MixedParam(3)};
  return index >= 0 && index < kValues ? &params[index] : nullptr;
}

struct PresetRig : zindle_test::EditorInput {
  PresetRig() : EditorInput(window), blend([](int i) { return mixed_param(i); }) {
    synth::register_builtin_banks();
    window.set_clock([this] { return clock; });
    pengui::testing::install_fake_native(window);
    int x = 10;
    for (pengui::Widget* w : std::vector<pengui::Widget*>{&menu_button, &name, &store, &load, &save, &display}) {
      w->set_bounds({x, 10, 60, 16});
      x += 70;
      window.add(w);
    }
    window.add(&knob);
    mppi::PresetControls controls{&name, &menu_button, &store, &load, &save, &knob, &display};
    attached = mgr.attach(window, host, blend, controls, nullptr, std::make_unique<zindle_test::ScriptedFileDialog>(script));
    window.open(nullptr);
  }
  ~PresetRig() { mgr.detach(); }

  // Opens the program menu and clicks entry `index`.
  void choose(int index) {
    click(menu_button);
    ASSERT_TRUE(mgr.program_menu().is_shown());
    const pengui::Rect r = mgr.program_menu().view()->entry_rect(0, index);
    click({r.x + 2, r.y + r.h / 2});
    ASSERT_FALSE(mgr.program_menu().is_shown());
  }
  void run(double seconds) {
    for (double t = 0.0; t < seconds - 1e-9; t += 0.05) {
      clock += 0.05;
      window.idle();
    }
  }

  double clock = 10.0;
  ProgramHost host;
  mppi::ProgStLdDefault blend;
  std::shared_ptr<zindle_test::DialogScript> script = std::make_shared<zindle_test::DialogScript>();
  pengui::Window window{500, 300};
  pengui::PushButton menu_button, load, save;
  pengui::TextEdit name;
  pengui::FlipFlop store;
  pengui::Knob knob{{450, 6, 24, 24}};
  pengui::TextBox display;
  mppi::PresetManager2 mgr{"Zindle preset banks", kPrograms};
  bool attached = false;
};

TEST(PresetManager, MenuLabelsCountFromOneWithTheCurrentProgramTicked) {
  PresetRig rig;
  ASSERT_TRUE(rig.attached);
  rig.host.current = 2;
  rig.mgr.refresh();
  rig.click(rig.menu_button);
  const pengui::PopupMenu& menu = rig.mgr.program_menu();
  ASSERT_TRUE(menu.is_shown());
  ASSERT_EQ(menu.size(), kPrograms);
  EXPECT_EQ(menu.title(), "Load preset");
  EXPECT_EQ(menu.entry(0)->label(), " 1 - Prog 1");
  EXPECT_EQ(menu.entry(9)->label(), "10 - Prog 10");
  EXPECT_EQ(menu.entry(63)->label(), "64 - Prog 64");
  for (int i = 0; i < kPrograms; ++i) EXPECT_EQ(menu.entry(i)->is_ticked(), i == 2) << i;
  EXPECT_EQ(rig.name.text(), "Prog 3");
}

TEST(PresetManager, StoreModeLastsOneChoice) {
  PresetRig rig;
  rig.host.bank.use_program(0).values = {0.9f, 0.8f, 0.7f, 0.6f};
  rig.click(rig.store);
  ASSERT_TRUE(rig.store.is_on());
  rig.click(rig.menu_button);
  EXPECT_EQ(rig.mgr.program_menu().title(), "Store preset");
  rig.mgr.program_menu().close();

  rig.choose(40);
  EXPECT_EQ(rig.host.bank.use_program(40).values, (std::vector<float>{0.9f, 0.8f, 0.7f, 0.6f}));
  EXPECT_EQ(rig.host.bank.use_program(40).name, "Prog 1");
  EXPECT_EQ(rig.host.current, 40);
  EXPECT_EQ(rig.mgr.get_current_program(), 40);
  EXPECT_EQ(rig.store.get_value(), 0.0);
  EXPECT_TRUE(rig.host.applied.empty());  // storing changes no sound
  rig.click(rig.menu_button);
  EXPECT_EQ(rig.mgr.program_menu().title(), "Load preset");
  EXPECT_TRUE(rig.mgr.program_menu().entry(40)->is_ticked());
}

TEST(PresetManager, FadeStepsAtPriority140AndLandsOnTheTarget) {
  PresetRig rig;
  rig.mgr.set_fade_time(2.0);
  const std::vector<float> from = rig.host.bank.use_program(0).values;
  const std::vector<float> to = rig.host.bank.use_program(50).values;
  rig.choose(50);
  EXPECT_EQ(rig.host.current, 50);  // the host knows at once
  EXPECT_EQ(rig.name.text(), "Prog 51");
  ASSERT_TRUE(rig.mgr.selection().is_fading());

  rig.run(1.0);
  ASSERT_GE(rig.host.applied.size(), 10u);
  for (const Applied& a : rig.host.applied) {
    EXPECT_EQ(a.source, 140);
    EXPECT_EQ(a.name, "Prog 51");
  }
  // Halfway in time, halfway in value (one tick of 0.1 s either way).
  const float mid = rig.host.applied.back().values[0];
  EXPECT_NEAR(mid, from[0] + (to[0] - from[0]) * 0.5f, (to[0] - from[0]) * 0.06f);
  for (size_t k = 1; k < rig.host.applied.size(); ++k)
    EXPECT_GE(rig.host.applied[k].values[0], rig.host.applied[k - 1].values[0]);

  rig.run(1.2);
  EXPECT_FALSE(rig.mgr.selection().is_fading());
  EXPECT_EQ(rig.host.applied.back().values, to);
  EXPECT_EQ(rig.host.bank.use_program(50).values, to);
  const size_t steps = rig.host.applied.size();
  rig.run(0.5);
  EXPECT_EQ(rig.host.applied.size(), steps);  // the timer stopped
}

TEST(PresetManager, SteppedValuesJumpAndUnautomatableOnesStayThroughAFade) {
  PresetRig rig;
  rig.mgr.set_fade_time(1.0);
  rig.host.bank.use_program(0).values = {0.0f, 1.0f, 0.0f, 0.0f};
  rig.host.bank.use_program(1).values = {1.0f, 0.0f, 1.0f, 1.0f};
  rig.choose(1);
  rig.run(0.5);
  const std::vector<float> mid = rig.host.applied.back().values;
  EXPECT_GT(mid[0], 0.3f);
  EXPECT_LT(mid[0], 0.7f);
  EXPECT_EQ(mid[2], 1.0f);
  EXPECT_EQ(mid[3], 0.0f);
  rig.run(0.7);
  EXPECT_EQ(rig.host.applied.back().values, (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f}));
}

TEST(PresetManager, AFadeGivesWayWhenTheHostSelectsAnotherProgram) {
  PresetRig rig;
  rig.mgr.set_fade_time(5.0);
  rig.choose(9);
  rig.run(0.3);
  rig.host.current = 12;  // the host's program change
  const size_t steps = rig.host.applied.size();
  rig.run(1.0);
  EXPECT_EQ(rig.host.applied.size(), steps);
  EXPECT_FALSE(rig.mgr.selection().is_fading());
  rig.mgr.idle();
  EXPECT_EQ(rig.name.text(), "Prog 13");
  EXPECT_EQ(rig.mgr.get_current_program(), 12);
}

TEST(PresetManager, FadeTimeKnobIsLogarithmic) {
  struct Case {
    double knob;
    double seconds;
    const char* text;
  };
  for (const Case& c : {Case{0.0, 0.0, "0.0"}, Case{0.5, 9.0, "9.0"}, Case{1.0, 99.0, "99.0"}}) {
    PresetRig rig;
    ASSERT_TRUE(rig.knob.set_and_send(c.knob, 50));
    EXPECT_NEAR(rig.mgr.get_fade_time(), c.seconds, 1e-12) << c.knob;
    EXPECT_EQ(rig.display.text(), c.text);
  }
  EXPECT_NEAR(mppi::PresetFadeTime::knob_from_seconds(9.0), 0.5, 1e-12);
  EXPECT_NEAR(mppi::PresetFadeTime::knob_from_seconds(99.0), 1.0, 1e-12);
}

TEST(PresetManager, FactoryBankIsLoadedAndDialogsUseTheBankName) {
  PresetRig rig;
  EXPECT_EQ(rig.mgr.get_factory_bank_code(), 0);
  EXPECT_EQ(rig.mgr.factory_bank().get_nbr_programs(), 64);
  EXPECT_EQ(rig.mgr.factory_bank().use_program(0).name, "80sBass");

  rig.script->ok = false;  // cancelled: nothing happens
  rig.click(rig.save);
  rig.window.idle();
  rig.click(rig.load);
  rig.window.idle();
  rig.mgr.idle();
  ASSERT_EQ(rig.script->requests.size(), 1u);  // the second waits for the first
  rig.mgr.idle();
  rig.click(rig.load);
  ASSERT_EQ(rig.script->requests.size(), 2u);
  EXPECT_TRUE(rig.script->requests[0].save);
  EXPECT_FALSE(rig.script->requests[1].save);
  for (const pengui::FileDialogRequest& q : rig.script->requests) {
    EXPECT_EQ(q.title, q.save ? "Save preset bank" : "Load preset bank");
    EXPECT_EQ(q.filter_name, "Zindle preset banks (*.pbk)");
    EXPECT_EQ(q.pattern, "*.pbk");
    EXPECT_EQ(q.folder, "/settings/folder/");
  }
  rig.mgr.idle();
  EXPECT_FALSE(rig.mgr.message_box().is_shown());
  EXPECT_EQ(rig.host.published, 0);
}

}  // namespace
