// A GUI object whose set-up or start throws: the adapter catches it, the
// plug-in loads and plays, and the editor simply does not open.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "framework/core/bank_resource.h"
#include "framework/core/gui_interface.h"
#include "framework/core/host_gui_interface.h"
#include "framework/vst2/host_dsp_vst2_win.h"
#include "framework/vst2/host_gui_vst2_win.h"
#include "framework/vst2/vst2_win_plugin.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/plugin_info.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

VstIntPtr VSTCALLBACK quiet_host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

class FailingGui : public mppi::GuiInterface {
public:
  enum class Fails { init, start, nothing };
  explicit FailingGui(Fails fails) : fails_(fails) {}

  void init() override {
    if (fails_ == Fails::init) throw std::runtime_error("ZindleGui::init() : Cannot initialize GUI.");
  }
  void start() override {
    ++starts;
    if (fails_ == Fails::start) throw std::runtime_error("ZindleGui::set_default_state() : Cannot build GUI.");
  }
  void detach() override {}
  mppi::HostGuiInterface* get_host() override { return host_.get(); }
  void set_host(mppi::HostGuiInterface* host) override { host_.reset(host); }
  mppi::DspInterface* get_dsp() override { return nullptr; }
  void set_dsp(mppi::DspInterface*) override {}
  void set_window(void*) override {}
  void* get_window() override { return nullptr; }
  int get_width() const override { return 900; }
  int get_height() const override { return 446; }
  int open(void*) override {
    ++opens;
    return 0;
  }
  void close() override {}
  void param_changed(int, float, int) override {}
  void bank_published(const mppi::BankManager&) override {}
  void idle() override { ++idles; }

  int starts = 0;
  int opens = 0;
  int idles = 0;

private:
  Fails fails_;
  std::unique_ptr<mppi::HostGuiInterface> host_;
};

// The entry point's wiring, with the GUI object given.
std::unique_ptr<mppi::Vst2WinPlugin> wire(std::unique_ptr<FailingGui> gui) {
  synth::register_builtin_banks();
  mppi::BankManager bank;
  if (mppi::load_bank_resource("static_presets", bank) != 0) return nullptr;
  auto dsp = std::make_unique<synth::ZindleDsp>();
  synth::ZindleDsp& dsp_ref = *dsp;
  FailingGui& gui_ref = *gui;
  auto adapter = std::make_unique<mppi::Vst2WinPlugin>(&quiet_host, std::move(dsp), std::move(gui), &dsp_ref, bank,
                                                       synth::plugin_info.unique_id);
  auto host_dsp = std::make_unique<mppi::HostDspVst2Win>();
  host_dsp->set_adapter(adapter.get());
  dsp_ref.set_host(host_dsp.release());
  auto host_gui = std::make_unique<mppi::HostGuiVst2Win>();
  host_gui->set_adapter(adapter.get());
  gui_ref.set_host(host_gui.release());
  dsp_ref.set_host_companion(&gui_ref);
  return adapter;
}

TEST(EditorSetupFailure, PluginLivesAndEditorStaysShut) {
  const struct {
    FailingGui::Fails fails;
    int starts;
    int open_answer;
  } cases[] = {
      {FailingGui::Fails::init, 0, 0},
      {FailingGui::Fails::start, 1, 0},
      {FailingGui::Fails::nothing, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.fails));
    auto gui = std::make_unique<FailingGui>(c.fails);
    FailingGui* seen = gui.get();
    std::unique_ptr<mppi::Vst2WinPlugin> adapter = wire(std::move(gui));
    ASSERT_NE(adapter, nullptr);
    EXPECT_NO_THROW(adapter->initialise());
    EXPECT_NO_THROW(adapter->start());
    EXPECT_EQ(seen->starts, c.starts);
    AEffect* e = adapter->getAeffect();
    int parent = 0;
    EXPECT_EQ(e->dispatcher(e, effEditOpen, 0, 0, &parent, 0.0f), c.open_answer);
    e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(seen->opens, c.open_answer);
    EXPECT_EQ(seen->idles, c.open_answer);
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    // The synth itself works: a parameter takes a value.
    e->setParameter(e, 3, 0.25f);
    EXPECT_FLOAT_EQ(e->getParameter(e, 3), 0.25f);
  }
}

}  // namespace
