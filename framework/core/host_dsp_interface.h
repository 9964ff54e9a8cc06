#pragma once
// What the DSP object may ask of the host side. Implemented by the host
// adapter's DSP-side object; slot order kept.

#include <string>

namespace mppi {

class MidiMgr;
class ParamReorder;
class BankManager;

// Host time information request: tempo in beats per minute.
struct TimeInfoRequest {
  double tempo = 0.0;
  bool no_information = false;
  bool want_tempo = false;
};

class HostDspInterface {
public:
  virtual ~HostDspInterface() = default;
  // Called by the DSP object first thing in its init, before it creates its
  // parameters; a host side with nothing to prepare answers 0, as VST 2 does.
  virtual int on_dsp_init() { return 0; }
  virtual double get_host_num_property(const char* key) = 0;
  virtual void get_time_info(TimeInfoRequest& request) = 0;
  virtual bool is_input_pin_connected(int bus, int channel) = 0;
  virtual bool is_pin_connected(int bus, int channel) = 0;  // output side
  virtual MidiMgr* get_midi_mgr() = 0;
  virtual int reserved_7() { return 0; }  // unused; keeps the later slots in place
  // Parameter control from the DSP side (internal indices).
  virtual bool can_take_control(int param, int source) = 0;
  virtual bool take_control(int param, int source) = 0;
  virtual void release_control(int param, int source) = 0;
  virtual bool set_param_and_notify(int param, float value, int source) = 0;
  virtual bool notify_host(int param, float value, int source) = 0;
  virtual bool set_param(int param, float value, int source) = 0;
  virtual void apply_program(const class ProgramSlot& program, int source) = 0;
  virtual ParamReorder* get_param_reorder() = 0;
  virtual void publish_bank(const BankManager& bank) = 0;
  virtual int start_dsp_task() = 0;
  virtual void stop_dsp_task() = 0;
  virtual void get_settings_path(std::string& out) = 0;
};

}  // namespace mppi
