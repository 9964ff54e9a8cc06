#include "framework/vst2/vst2_win_plugin.h"

#include <strings.h>

#include "dsp/scoped_flush_denormals.h"
#include "framework/core/dsp_interface.h"
#include "framework/core/gui_interface.h"
#include "framework/midi_devices/mci_midi_dev_sel_comp.h"
#include "framework/vst2/fpu_precision_guard.h"
#include "framework/vst2/settings_path.h"
#include "framework/vst2/vst2_midi_objects.h"
#include "framework/vst2/vst2_win_editor.h"

namespace mppi {

void Vst2WinPlugin::BkgHostCalls::process() {
  if (!adapter_.core_ready_.load(std::memory_order_acquire)) return;
  adapter_.use_core().send_pending_display_update();
  if (adapter_.gestures_on_bkg_thread_) adapter_.use_core().close_gestures();
}

Vst2WinPlugin::Vst2WinPlugin(audioMasterCallback audio_master, std::unique_ptr<DspInterface> dsp,
                             std::unique_ptr<GuiInterface> gui, MidiReceiverInterface* midi_receiver,
                             const BankManager& bank, VstInt32 unique_id)
    : Vst2Plugin(audio_master, std::move(dsp), std::move(gui), midi_receiver, bank, unique_id) {
  // This host sends no end-edit it did not see from its own thread.
  gestures_on_bkg_thread_ = !is_host_live();
  if (get_gui() != nullptr) editor_ = new Vst2WinEditor(*this, *get_gui());
  if (Vst2MidiObjects* midi = get_midi()) {
    system_midi_ = std::make_unique<MciMidiDevSelComp>(use_dsp().get_string_property("plugin_name"));
    midi->use_dispatcher().add_family(*system_midi_);
  }
  dsp_task_ = use_dsp().get_bkg_task();
  bkg_container_.set_context(&use_dsp());
  bkg_host_calls_.set_context(&use_dsp());
  bkg_container_.add(&bkg_host_calls_);
  bkg_thread_.set_handler(&bkg_container_);
  bkg_thread_.start();
}

Vst2WinPlugin::~Vst2WinPlugin() {
  bkg_thread_.stop();
  stop_objects();
  system_midi_.reset();
  setEditor(nullptr);  // before the GUI object goes
  editor_ = nullptr;
  delete_objects();
  delete dsp_task_;
}

bool Vst2WinPlugin::is_host_live() {
  char vendor[kVstMaxVendorStrLen] = {};
  char product[kVstMaxProductStrLen] = {};
  getHostVendorString(vendor);
  getHostProductString(product);
  return strcasecmp(vendor, "Ableton") == 0 && strcasecmp(product, "Live") == 0;
}

void Vst2WinPlugin::initialise() {
  Vst2Plugin::initialise();
  core_ready_.store(true, std::memory_order_release);
}

// --- Host-side services -------------------------------------------------------

int Vst2WinPlugin::start_dsp_task() {
  if (dsp_task_ == nullptr || dsp_task_running_) return -1;
  // The container's list is not changed while the thread runs.
  bkg_thread_.stop();
  dsp_task_->set_context(&use_dsp());
  bkg_container_.add(dsp_task_);
  dsp_task_running_ = true;
  bkg_thread_.start();
  return 0;
}

void Vst2WinPlugin::stop_dsp_task() {
  if (!dsp_task_running_) return;
  bkg_thread_.stop();
  bkg_container_.remove_last();
  dsp_task_running_ = false;
  bkg_thread_.start();
}

std::string Vst2WinPlugin::get_settings_path() {
  const char* host_dir = static_cast<const char*>(getDirectory());
  return make_settings_path(host_dir != nullptr ? host_dir : "", get_module_file_name(),
                            Vst2Plugin::get_settings_path());
}

int Vst2WinPlugin::resize_window(int width, int height) {
  if (editor_ != nullptr) editor_->set_size(width, height);
  return 0;
}

void Vst2WinPlugin::on_tempo_changed(float bpm) {
  if (editor_ != nullptr) editor_->set_last_tempo(bpm);
}

// --- Guarded host calls -------------------------------------------------------

void Vst2WinPlugin::processReplacing(float** inputs, float** outputs, VstInt32 sample_frames) {
  FpuPrecisionGuard precision;
  dsp::ScopedFlushDenormals denormals;
  Vst2Plugin::processReplacing(inputs, outputs, sample_frames);
}

void Vst2WinPlugin::process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sample_frames*/) {
  FpuPrecisionGuard precision;
}

void Vst2WinPlugin::setProgram(VstInt32 program) {
  FpuPrecisionGuard precision;
  Vst2Plugin::setProgram(program);
}

VstInt32 Vst2WinPlugin::fxIdle() {
  if (!gestures_on_bkg_thread_ && core_ready_.load(std::memory_order_acquire)) use_core().close_gestures();
  return 1;
}

}  // namespace mppi
