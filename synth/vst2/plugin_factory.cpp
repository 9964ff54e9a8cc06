#include "synth/vst2/plugin_factory.h"

#include <memory>
#include <string>

#include "framework/core/bank_resource.h"
#include "framework/vst2/host_dsp_vst2_win.h"
#include "framework/vst2/host_gui_vst2_win.h"
#include "framework/vst2/vst2_win_plugin.h"
#include "synth/gui/zindle_gui.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/plugin_info.h"
#include "synth/plugin/zindle_dsp.h"

namespace synth {

namespace {

// Everything up to the wiring: on failure every object built so far goes.
std::unique_ptr<mppi::Vst2WinPlugin> build_and_wire(audioMasterCallback audio_master) {
  mppi::BankManager bank;
  auto dsp = std::make_unique<ZindleDsp>();
  auto host_dsp = std::make_unique<mppi::HostDspVst2Win>();
  auto gui = std::make_unique<ZindleGui>();
  auto host_gui = std::make_unique<mppi::HostGuiVst2Win>();

  register_builtin_banks();
  if (mppi::load_bank_resource("static_presets", bank) != 0) return nullptr;

  ZindleDsp& dsp_ref = *dsp;
  mppi::GuiInterface& gui_ref = *gui;
  auto adapter = std::make_unique<mppi::Vst2WinPlugin>(audio_master, std::move(dsp), std::move(gui), &dsp_ref, bank,
                                                       plugin_info.unique_id);
  host_dsp->set_adapter(adapter.get());
  dsp_ref.set_host(host_dsp.release());  // the DSP object owns it from here
  host_gui->set_adapter(adapter.get());
  gui_ref.set_host(host_gui.release());  // likewise the GUI object
  dsp_ref.set_host_companion(&gui_ref);
  gui_ref.set_dsp(&dsp_ref);
  return adapter;
}

}  // namespace

AEffect* create_vst2_plugin(audioMasterCallback audio_master) noexcept {
  try {
    std::unique_ptr<mppi::Vst2WinPlugin> adapter = build_and_wire(audio_master);
    if (!adapter) return nullptr;
    adapter->set_settings_sub_path(plugin_info.settings_sub_path + plugin_info.settings_sub_path_suffix);
    adapter->initialise();
    adapter->start();
    adapter->setProgram(0);
    return adapter.release()->getAeffect();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace synth
