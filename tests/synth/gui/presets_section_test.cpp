// The preset section over the real plug-in: the section's controls in a
// window without a display, the editor's host object over the adapter
// loaded through the entry point, and what a host then reads back
// (current program, parameters, program names, bank chunk).

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/bank_file.h"
#include "framework/core/bank_resource.h"
#include "framework/core/dsp_interface.h"
#include "framework/params/normalized_param_interface.h"
#include "support/editor_input.h"
#include "support/scripted_file_dialog.h"
#include "support/temp_folder.h"
#include "framework/vst2/host_gui_vst2_win.h"
#include "gui/popup_menu_view.h"
#include "gui/support/fake_native_window.h"
#include "gui/window.h"
#include "synth/gui/editor_rig.h"
#include "synth/gui/gui_presets.h"
#include "synth/gui/gui_resources.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct PresetsRig : zindle_test::EditorInput {
  PresetsRig() : EditorInput(window) {
    adapter = editor_test::adapter_of(plugin);
    gui = editor_test::gui_of(plugin);
    if (!gui) return;
    host_gui.set_adapter(adapter);
    resources = std::make_unique<synth::LoadedGuiResources>(*gui);
    pengui::testing::install_fake_native(window);
    window.set_clock([this] { return clock; });
    ctx.window = &window;
    ctx.resources = resources.get();
    ctx.host = &host_gui;
    ctx.dsp = &adapter->use_dsp();
    ctx.meta = &meta;
    ctx.last_touched_param = &last_touched;
    presets.set_dialog_factory(
        [script = script](pengui::Window&) { return std::make_unique<zindle_test::ScriptedFileDialog>(script); });
    built = presets.build(ctx);
    window.open(nullptr);
  }
  ~PresetsRig() { presets.detach(); }

  void choose(int index) {
    click(presets.menu_button());
    const pengui::PopupMenu& menu = presets.manager().program_menu();
    ASSERT_TRUE(menu.is_shown());
    const pengui::Rect r = menu.view()->entry_rect(0, index);
    click({r.x + 2, r.y + r.h / 2});
  }
  // A file dialog answered with `path`, then the idle that delivers it.
  void answer_dialog(pengui::PushButton& button, const fs::path& path) {
    script->ok = true;
    script->path = path.string();
    click(button);
    presets.idle();
  }
  void run(double seconds) {
    for (double t = 0.0; t < seconds - 1e-9; t += 0.05) {
      clock += 0.05;
      window.idle();
    }
  }
  Bytes bank_chunk() {
    void* data = nullptr;
    const auto size = plugin.dispatch(effGetChunk, 0, 0, &data);
    const auto* p = static_cast<const uint8_t*>(data);
    return size > 0 && p ? Bytes(p, p + size) : Bytes();
  }
  int current_program() { return static_cast<int>(plugin.dispatch(effGetProgram)); }
  std::string program_name() { return plugin.text(effGetProgramName); }
  const pengui::MessageBox& box() { return presets.manager().message_box(); }

  vst2_test::Instance plugin;
  mppi::Vst2Plugin* adapter = nullptr;
  synth::ZindleGui* gui = nullptr;
  mppi::HostGuiVst2Win host_gui;
  std::unique_ptr<synth::LoadedGuiResources> resources;
  double clock = 10.0;
  pengui::Window window{900, 446};
  std::array<mppi::MetaControl, synth::kNbrParams> meta;
  int last_touched = -1;
  synth::GuiContext ctx;
  std::shared_ptr<zindle_test::DialogScript> script = std::make_shared<zindle_test::DialogScript>();
  synth::GuiPresets presets{64, "Zindle preset banks"};
  bool built = false;
  zindle_test::TempFolder temp;
  const fs::path& dir = temp.path();
};

mppi::BankManager factory_bank() {
  mppi::BankManager bank;
  EXPECT_EQ(mppi::load_bank_resource("static_presets", bank), 0);
  return bank;
}

TEST(PresetSection, StoreThenRenameReachTheHost) {
  PresetsRig rig;
  ASSERT_TRUE(rig.built);
  rig.adapter->set_param_and_notify(3, 0.125f, 200);
  rig.click(rig.presets.store_switch());
  ASSERT_TRUE(rig.presets.store_switch().is_on());
  rig.choose(20);
  EXPECT_EQ(rig.current_program(), 20);
  EXPECT_EQ(rig.program_name(), "80sBass");
  EXPECT_FALSE(rig.presets.store_switch().is_on());
  mppi::BankManager bank;
  ASSERT_TRUE(rig.host_gui.get_bank(bank));
  EXPECT_EQ(bank.use_program(20).values[3], 0.125f);

  rig.click(rig.presets.name_box());
  ASSERT_TRUE(rig.presets.name_box().is_editing());
  rig.key(pengui::Key::end);
  for (int i = 0; i < 20; ++i) rig.key(pengui::Key::backspace);
  rig.type("Warm Pad");
  rig.key(pengui::Key::enter);
  EXPECT_EQ(rig.program_name(), "Warm Pad");
  EXPECT_EQ(rig.plugin.text(effGetProgramNameIndexed, 0, 0).substr(0, 7), "80sBass");
}

// A program chosen with a fade time glides there from the current sound:
// stepped parameters jump at once, the others pass halfway at half time.
// The host's own program change ends a fade.
TEST(PresetSection, FadeGlidesToTheChosenProgramAndGivesWayToTheHost) {
  PresetsRig rig;
  ASSERT_TRUE(rig.built);
  mppi::BankManager bank;
  ASSERT_TRUE(rig.host_gui.get_bank(bank));
  const std::vector<float> from = bank.use_program(0).values;
  // The first factory program that differs from the first in a stepped
  // parameter and by far in a gliding one.
  int target = 1, glide = -1, step = -1;
  for (; target < 64; ++target) {
    const std::vector<float>& to = bank.use_program(target).values;
    glide = step = -1;
    for (int i = 0; i < synth::kNbrParams; ++i) {
      const size_t k = static_cast<size_t>(i);
      const bool discrete = rig.adapter->use_dsp().get_param(i)->is_discrete() != 0;
      if (discrete && step < 0 && from[k] != to[k]) step = i;
      if (!discrete && glide < 0 && std::abs(from[k] - to[k]) > 0.2f) glide = i;
    }
    if (glide >= 0 && step >= 0) break;
  }
  ASSERT_LT(target, 64);
  const std::vector<float> to = bank.use_program(target).values;
  const size_t g = static_cast<size_t>(glide);
  rig.presets.manager().set_fade_time(2.0);
  rig.choose(target);
  EXPECT_EQ(rig.current_program(), target);  // the host knows at once
  rig.run(1.0);
  // Halfway in time, halfway in value (one tick either way).
  EXPECT_NEAR(rig.plugin.get(glide), from[g] + (to[g] - from[g]) * 0.5f, std::abs(to[g] - from[g]) * 0.06f);
  EXPECT_EQ(rig.plugin.get(step), to[static_cast<size_t>(step)]);
  rig.run(1.2);
  EXPECT_FALSE(rig.presets.manager().selection().is_fading());
  for (int i = 0; i < synth::kNbrParams; ++i) EXPECT_FLOAT_EQ(rig.plugin.get(i), to[static_cast<size_t>(i)]) << i;

  rig.presets.manager().set_fade_time(5.0);
  rig.choose(9);
  rig.run(0.3);
  rig.plugin.dispatch(effSetProgram, 0, 12);
  rig.run(1.0);
  EXPECT_FALSE(rig.presets.manager().selection().is_fading());
  EXPECT_FLOAT_EQ(rig.plugin.get(glide), bank.use_program(12).values[g]);
}

TEST(PresetSection, BankSaveThenLoadGivesTheSameBytes) {
  PresetsRig rig;
  ASSERT_TRUE(rig.built);
  const Bytes before = rig.bank_chunk();
  ASSERT_EQ(before.size(), 20744u);
  const fs::path first = rig.dir / "a";  // the extension is added
  rig.answer_dialog(rig.presets.save_button(), first);
  const Bytes file = read_file(rig.dir / "a.pbk");
  ASSERT_EQ(file.size(), 20752u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{'S', 'N', 'P', 'B'}));
  EXPECT_EQ(Bytes(file.begin() + 8, file.end()), before);

  rig.host_gui.set_program_name(3, "Changed");
  rig.adapter->set_param_and_notify(0, 0.75f, 200);
  ASSERT_NE(rig.bank_chunk(), before);
  rig.answer_dialog(rig.presets.load_button(), rig.dir / "a.pbk");
  EXPECT_FALSE(rig.box().is_shown());
  EXPECT_EQ(rig.bank_chunk(), before);
  EXPECT_EQ(rig.presets.name_box().text(), "80sBass");
  rig.answer_dialog(rig.presets.save_button(), rig.dir / "b.pbk");
  EXPECT_EQ(read_file(rig.dir / "b.pbk"), file);
}

TEST(PresetSection, BadBankFileShowsTheErrorAndChangesNothing) {
  PresetsRig rig;
  ASSERT_TRUE(rig.built);
  mppi::BankManager short_bank = factory_bank();
  short_bank.resize(32);
  ASSERT_EQ(mppi::save_bank_file((rig.dir / "short.pbk").string(), short_bank), 0);
  struct Case {
    const char* file;
    int code;
  };
  rig.host_gui.set_program_name(2, "Before");
  const Bytes before = rig.bank_chunk();
  // The file reader's own codes are checked with it; here, that the
  // section loads strictly and shows what went wrong.
  for (const Case& c : {Case{"short.pbk", -1011}, Case{"missing.pbk", -1002}}) {
    const fs::path path = rig.dir / c.file;
    rig.answer_dialog(rig.presets.load_button(), path);
    ASSERT_TRUE(rig.box().is_shown()) << c.file;
    EXPECT_EQ(rig.box().title(), "Error");
    EXPECT_EQ(rig.box().lines(), (std::vector<std::string>{"Can't load bank file", path.string(), "",
                                                           "Code " + std::to_string(c.code)}));
    rig.key(pengui::Key::enter);
    EXPECT_FALSE(rig.box().is_shown());
    EXPECT_EQ(rig.bank_chunk(), before) << c.file;
  }
  // A save into a folder that does not exist.
  const fs::path nowhere = rig.dir / "none" / "x.pbk";
  rig.answer_dialog(rig.presets.save_button(), nowhere);
  ASSERT_TRUE(rig.box().is_shown());
  EXPECT_EQ(rig.box().lines(),
            (std::vector<std::string>{"Can't save bank file", nowhere.string(), "", "Code -1002"}));
}

}  // namespace
