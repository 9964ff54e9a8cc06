#pragma once
// What the host adapter and the plug-in core ask of the DSP object. The
// operations keep their slot order; each line says who calls it and when.

#include <string>

#include "framework/core/pin_set.h"

namespace basic { class SettingMgrInterface; }

namespace mppi {

class HostDspInterface;
class NormalizedParamInterface;
class ProgramSlot;
class BkgInterface;
class SettingAutoload;
class StateSerializerInterface;
class BankManager;

class DspInterface {
public:
  // --- Life cycle (host GUI thread, before/after processing) -------------
  virtual ~DspInterface() = default;
  virtual void init() = 0;   // once, after set_host
  virtual void start() = 0;  // after init: parameters to their start values
  virtual void stop() = 0;   // undoes init

  // --- Host objects -------------------------------------------------------
  virtual HostDspInterface* get_host() = 0;
  virtual HostDspInterface* set_host(HostDspInterface* host) = 0;
  virtual void* get_host_companion() = 0;
  virtual void* set_host_companion(void* companion) = 0;

  // --- Settings -------------------------------------------------------------
  virtual basic::SettingMgrInterface* get_setting_mgr() = 0;
  virtual SettingAutoload* get_setting_autoload() = 0;

  // --- Audio set-up (host GUI thread, while suspended) ----------------------
  virtual int get_nbr_input_pin_sets() const = 0;
  virtual const PinSet& get_input_pins(int set) const = 0;
  virtual int get_nbr_output_pin_sets() const = 0;
  virtual const PinSet& get_output_pins(int set) const = 0;
  virtual double get_min_sample_rate() const = 0;
  virtual double get_max_sample_rate() const = 0;
  virtual void set_sample_rate(float rate) = 0;

  // --- Parameters (any thread; the list never changes after init) ---------
  virtual int get_nbr_param() const = 0;
  virtual NormalizedParamInterface* get_param(int index) = 0;
  virtual void set_display_name(const std::string& name) = 0;
  virtual std::string get_display_name() const = 0;
  virtual void set_extra_param(int index, float value) = 0;
  virtual void offer_bank_snapshot(const BankManager* bank) = 0;

  // --- Properties (any thread) ----------------------------------------------
  virtual double get_num_property(const char* key) const = 0;
  virtual std::string get_string_property(const char* key) const = 0;

  // --- Audio thread -----------------------------------------------------------
  virtual void request_reset() = 0;        // any thread; applied at the next block
  virtual void set_tempo(float bpm) = 0;
  // Slots 27 and 28: unused; they keep the later slots in place.
  virtual void reserved_27() {}
  virtual void reserved_28() {}

  // --- Optional services ------------------------------------------------------
  virtual BkgInterface* get_bkg_task() = 0;
  virtual StateSerializerInterface* get_state_serializer() = 0;
  virtual int reserved_31() { return 0; }  // unused; keeps the later slots in place

  // --- Whole-program transfers (host GUI thread) --------------------------
  virtual void set_all_param_values(const float* values) = 0;  // 62 values
  virtual void get_all_param_values(double* values) const = 0;
  virtual void capture_registered_values(ProgramSlot& program) = 0;

  // --- Block processing (audio thread). Return false. ---------------------
  virtual bool process_replacing(float** outputs, void* unused1, int nbr_samples, void* unused2) = 0;
  virtual bool process_accumulating(float** outputs, void* unused1, int nbr_samples, void* unused2) = 0;

  // --- Program changes (host GUI thread) ------------------------------------
  // Called before the values of a program that replaces the sound are
  // written (not for the steps of a program fade), so that the audio side
  // can let the old sound go before the new settings meet its state.
  virtual void announce_program_change() {}
};

}  // namespace mppi
