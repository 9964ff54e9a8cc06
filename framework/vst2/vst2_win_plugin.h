#pragma once
// The VST 2 adapter, system part: the editor, the system MIDI ports, the
// background thread that makes the core's deferred host calls, the floating-point guards
// around host calls and the settings folder. The denormal guard is applied
// here, once per host block.
// (Despite "Win" in the name, this runs on every platform we build for.)

#include <atomic>
#include <memory>

#include "framework/core/bkg_container.h"
#include "framework/core/bkg_interface.h"
#include "framework/core/bkg_thread.h"
#include "framework/vst2/vst2_plugin.h"

namespace mppi {

class MciMidiDevSelComp;
class Vst2WinEditor;

class Vst2WinPlugin : public Vst2Plugin {
public:
  // The core's host calls that wait for the background thread, once the
  // core is ready: display updates, and the closing of edit gestures unless
  // the host's idle call does that.
  class BkgHostCalls : public BkgInterface {
  public:
    explicit BkgHostCalls(Vst2WinPlugin& adapter) : adapter_(adapter) {}
    void process() override;
    void* get_context() override { return context_; }
    void set_context(void* context) override { context_ = context; }

  private:
    void* context_ = nullptr;
    Vst2WinPlugin& adapter_;
  };

  Vst2WinPlugin(audioMasterCallback audio_master, std::unique_ptr<DspInterface> dsp,
                std::unique_ptr<GuiInterface> gui, MidiReceiverInterface* midi_receiver, const BankManager& bank,
                VstInt32 unique_id);
  ~Vst2WinPlugin() override;

  void initialise() override;
  bool are_gestures_on_bkg_thread() const { return gestures_on_bkg_thread_; }
  Vst2WinEditor* get_win_editor() { return editor_; }

  // --- Host-side services -----------------------------------------------------
  int start_dsp_task() override;
  void stop_dsp_task() override;
  std::string get_settings_path() override;
  int resize_window(int width, int height) override;

  // --- Host calls inside the floating-point guards -------------------------------
  void processReplacing(float** inputs, float** outputs, VstInt32 sample_frames) override;
  void process(float** inputs, float** outputs, VstInt32 sample_frames) override;
  void setProgram(VstInt32 program) override;
  VstInt32 fxIdle() override;

protected:
  void on_tempo_changed(float bpm) override;

private:
  bool is_host_live();

  Vst2WinEditor* editor_ = nullptr;  // owned by the SDK base
  std::unique_ptr<MciMidiDevSelComp> system_midi_;
  BkgThreadWin32 bkg_thread_;
  BkgContainer bkg_container_;
  BkgHostCalls bkg_host_calls_{*this};
  BkgInterface* dsp_task_ = nullptr;
  bool dsp_task_running_ = false;
  bool gestures_on_bkg_thread_ = true;
  std::atomic<bool> core_ready_{false};
};

}  // namespace mppi
