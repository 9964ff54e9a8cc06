#pragma once
// The VST 2 adapter, host-format part: turns the host's dispatcher calls
// into operations of the plug-in core, the DSP object and the editor, and
// implements the command interface over the core.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/host_callback_interface.h"
#include "framework/core/plugin_cmd_interface.h"
#include "framework/core/plugin_core.h"
#include "framework/vst2/audio_effect_x.h"

namespace mppi {

class DspInterface;
class GuiInterface;
class MidiDevSelDispatcher;
class MidiMgr;
class MidiReceiverInterface;
class Vst2MidiObjects;
struct TimeInfoRequest;

class Vst2Plugin : public AudioEffectX, public PluginCmdInterface, private HostCallbackInterface {
public:
  static constexpr int kSourceHostAutomation = PluginCore::kSourceHostAutomation;
  static constexpr int kSourceProgram = PluginCore::kSourceProgram;
  static constexpr int kAutomationThresholdNone = 999999999;

  // Takes ownership of dsp and gui (gui may be null). midi_receiver: the
  // DSP object's MIDI side, or null when the plug-in takes no MIDI.
  Vst2Plugin(audioMasterCallback audio_master, std::unique_ptr<DspInterface> dsp, std::unique_ptr<GuiInterface> gui,
             MidiReceiverInterface* midi_receiver, const BankManager& bank, VstInt32 unique_id);
  ~Vst2Plugin() override;

  // --- Set-up by the entry point (in this order) ------------------------------
  void set_settings_sub_path(const std::string& path) { settings_sub_path_ = path; }
  virtual void initialise();
  virtual void start();

  // --- PluginCmdInterface (internal indices) -----------------------------------
  bool can_take_control(int param, int source) override { return core_.can_take_control(param, source); }
  bool take_control(int param, int source) override { return core_.take_control(param, source); }
  void release_control(int param, int source) override { core_.release_control(param, source); }
  bool set_param(int param, float value, int source) override { return core_.set_param(param, value, source); }
  bool notify_host(int param, float value, int source) override { return core_.notify_host(param, value, source); }
  bool set_param_and_notify(int param, float value, int source) override {
    return core_.set_param_and_notify(param, value, source);
  }
  void apply_program(const ProgramSlot& program, int source, bool release_after, bool automate_host) override {
    core_.apply_program(program, source, release_after, automate_host);
  }

  // --- Services for the host-side objects ---------------------------------------
  PluginCore& use_core() { return core_; }
  DspInterface& use_dsp() { return *dsp_; }
  GuiInterface* get_gui() { return gui_.get(); }
  // False when there is no GUI object or its set-up or start failed: the
  // editor then does not open.
  bool is_gui_ready() const { return gui_ != nullptr && gui_ready_; }
  MidiMgr* get_midi_mgr();
  // The MIDI device choice; null before the MIDI objects exist.
  MidiDevSelDispatcher* get_midi_dev_dispatcher();
  void get_time_info(TimeInfoRequest& request);
  bool is_input_pin_connected(int bus, int channel);
  bool is_output_pin_connected(int bus, int channel);
  // notify_gui: the GUI object hears of the bank first (DSP-side publishing).
  void publish_bank(const BankManager& bank, bool notify_gui);
  virtual int start_dsp_task() { return -1; }
  virtual void stop_dsp_task() {}
  virtual std::string get_settings_path();
  // The editor window takes a new size; 0, or -1 when the host refused.
  virtual int resize_window(int width, int height);
  int get_automation_threshold() const { return automation_threshold_; }
  // Host channel index of (pin set, channel), or -1.
  int get_host_channel(bool input, int set, int channel) const;

  // --- AudioEffect / AudioEffectX -------------------------------------------------
  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  void suspend() override;
  void resume() override;
  void setSampleRate(float rate) override;
  void processReplacing(float** inputs, float** outputs, VstInt32 sample_frames) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void setProgram(VstInt32 program) override;
  VstInt32 getProgram() override { return core_.get_current_program(); }
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  void getParameterName(VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool is_preset) override;
  VstInt32 setChunk(void* data, VstInt32 byte_size, bool is_preset) override;
  VstInt32 processEvents(VstEvents* events) override;
  bool canParameterBeAutomated(VstInt32 index) override;
  bool string2parameter(VstInt32 index, char* text) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
  VstPlugCategory getPlugCategory() override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;
  VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  // The full answer; 0xbeef0000 does not fit the SDK's 32-bit return.
  VstIntPtr can_do(const char* text);
  VstInt32 getGetTailSize() override { return 0; }
  bool keysRequired() override { return false; }  // the dispatcher answers 1
  bool getParameterProperties(VstInt32 index, VstParameterProperties* p) override;

protected:
  // Tear-down steps, in the order the Windows side interleaves with its own.
  void stop_objects();
  void delete_objects();
  Vst2MidiObjects* get_midi() { return midi_.get(); }
  // Audio thread, when the host's tempo changed.
  virtual void on_tempo_changed(float /*bpm*/) {}

private:
  using PinMap = std::vector<std::pair<int, int>>;

  // HostCallbackInterface, for the core (host indices).
  void automate(int host_index, float value) override;
  void begin_edit(int host_index) override;
  void end_edit(int host_index) override;
  void update_display() override;

  // Internal parameter of a host index, or null when out of range.
  NormalizedParamInterface* host_param(VstInt32 index, int* internal = nullptr);
  bool parse_param_text(VstInt32 index, const char* text, float& nrm);
  bool pin_properties(bool input, VstInt32 pin, VstPinProperties* properties);
  void build_pin_maps();
  void free_chunk_buffer();
  void update_tempo();

  BankManager bank_;
  std::unique_ptr<DspInterface> dsp_;
  std::unique_ptr<GuiInterface> gui_;
  bool gui_ready_ = true;
  MidiReceiverInterface* midi_receiver_ = nullptr;
  PluginCore core_;
  std::unique_ptr<Vst2MidiObjects> midi_;
  int nbr_inputs_ = 0;
  int nbr_outputs_ = 0;
  int automation_threshold_ = kAutomationThresholdNone;
  float last_tempo_ = 0.0f;
  PinMap input_pins_;
  PinMap output_pins_;
  std::string settings_sub_path_;
  std::vector<uint8_t> chunk_;
  bool objects_stopped_ = false;
};

}  // namespace mppi
