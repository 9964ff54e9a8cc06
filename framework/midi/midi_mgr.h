#pragma once
// The MIDI controller binding table (not a manager of MIDI devices; those
// are in framework/midi_devices).
//
// Controller bindings: which MIDI controller, registered or non-registered
// parameter drives which parameter. Turns incoming controller values into
// parameter changes, sends parameter changes back out as controller
// feedback, learns new bindings, saves the table with the settings and
// keeps the two per-user MIDI switches.
//
// Controller identifier: kind << 16 | number. kind is the controller number
// for a controller change (number 0), 101 for a registered and 99 for a
// non-registered parameter (number 0..16383). Values are 14 bits.
//
// Threads. Incoming controllers (and learning) run on the MIDI thread,
// normally the host's audio thread; everything else on the editor thread,
// except parameter_to_midi, which follows the parameter change.
// The table is one atomic slot per possible identifier (128 controllers,
// 16384 registered, 16384 non-registered) plus one atomic slot per
// parameter for the way back, all allocated at construction. A reader
// never allocates, locks or sees a torn entry; during a rebinding it may
// see the old or the new target for one message, which is harmless for a
// controller stream. Writers are serialised by a flag: the editor thread
// spins on it (writes are a handful of stores), the MIDI thread only tries
// it and, when busy, learns from the next controller message instead.
// An immutable table swapped by pointer was not chosen because the MIDI
// thread learns too, so it would have to build (allocate) tables itself.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "basic/setting_client_interface.h"
#include "framework/core/plugin_core.h"
#include "framework/midi/midi_receiver_interface.h"

namespace sys {
class PersistentKeyList;
}

namespace mppi {

class DspInterface;
class MidiInChn;
class PluginCmdInterface;

class MidiMgr : public MidiReceiverInterface, public basic::SettingClientInterface {
public:
  static constexpr int kKindRpn = 101;
  static constexpr int kKindNrpn = 99;
  static constexpr int kNbrControllers = 128;
  static constexpr int kNbrNumbers = 16384;
  // Parameter indexes that can be bound; above the DSP's parameter count
  // they reach its extra parameters.
  static constexpr int kMaxParams = 1024;
  static constexpr int kSourceMidi = 125;
  static constexpr int kNotFound = -1;
  // parameter_to_midi results.
  static constexpr int kErrUnbound = -2;
  static constexpr int kErrRefused = -1;
  static constexpr char kSection[] = "midi";
  static constexpr char kControlMap[] = "control_map";
  static constexpr char kNrpnCompatKey[] = "NRPN Compatibility";
  static constexpr char kAutobindKey[] = "Autobind Mode";

  MidiMgr();
  ~MidiMgr() override;
  MidiMgr(const MidiMgr&) = delete;
  MidiMgr& operator=(const MidiMgr&) = delete;

  // --- Wiring (set-up) -------------------------------------------------------
  // Where values go: the command interface for parameters below the DSP's
  // count, the DSP's set_extra_param above.
  void set_targets(PluginCmdInterface* cmd, DspInterface* dsp);
  // Receives feedback and every receiver call; null for none.
  void set_output(MidiReceiverInterface* output) { output_.store(output); }
  void set_feedback_channel(int channel) { feedback_channel_.store(channel & 15); }
  // The input whose parameter-number decoding follows the NRPN switch.
  void set_input(MidiInChn* input);

  // --- Start-up (set-up thread) ---------------------------------------------
  // Opens the per-user store of `plugin_name` and reads both switches; a
  // value that cannot be read leaves its switch as it is.
  void load_switches(const std::string& plugin_name);
  // Binds parameter i to controller change controllers[i].
  void bind_defaults(const int* controllers, int count);

  // --- Binding table (editor thread; 0, or -1 for an invalid argument) ------
  int bind(int param, int kind, int number);
  int unbind(int param);
  int find_controller(int param) const;  // identifier or kNotFound
  bool is_bound(int param) const;
  // Parameter driven by `id` (kNotFound when none) and the value for it.
  int controller_value(int id, int value14, float& normalized) const;
  // "CC 74", "RPN 0", "NRPN 1234".
  static std::string controller_text(int id);
  static int make_id(int kind, int number);

  // --- Incoming controller (MIDI thread: no allocation, no lock) ------------
  // Learns when a parameter is armed, then sets the bound parameter.
  // Returns the parameter index, or kNotFound.
  int notify_controller(int id, int value14);

  // --- Feedback (thread of the parameter change) ----------------------------
  // 0 sent, kErrUnbound, or kErrRefused when there is no output or it
  // refused.
  int parameter_to_midi(int param, float value);
  // The hook for PluginCore::set_feedback.
  ParamFeedbackInterface& use_feedback() { return feedback_; }

  // --- Learning (editor thread) ---------------------------------------------
  void arm(int param) { armed_.store(param); }
  void disarm() { armed_.store(-1); }
  int get_armed() const { return armed_.load(); }
  // False when nothing was learned since the last clear.
  bool last_learned(int& param, int& id) const;
  void clear_last_learned();

  // --- Per-user switches (editor thread) -------------------------------------
  // Each is stored first; it changes only when storing succeeded.
  bool set_nrpn_compat(bool standard);
  bool set_autobind_mode(bool continuous);
  bool is_nrpn_standard() const { return nrpn_standard_.load(); }
  bool is_autobind_continuous() const { return autobind_continuous_.load(); }

  // --- Settings: section "midi", key "control_map" ---------------------------
  int write_settings(basic::ConfKeyMulti& section) const override;
  int read_settings(const basic::ConfKeyMulti& section) override;

  // --- MidiReceiverInterface: passed on to the output -------------------------
  int32_t set_time_stamp(long offset) override;
  int32_t note_on(int ch, int note, float pitch, float value, float velocity, int flag) override;
  int32_t note_off(int ch, int note, float velocity) override;
  int32_t key_pressure(int ch, int note, float pressure) override;
  int32_t pitch_bend(int ch, float bend) override;
  int32_t program_change(int ch, int program) override;
  int32_t rpn(int ch, int number, int value) override;
  int32_t nrpn(int ch, int number, int value) override;
  int32_t control_change(int ch, int controller, int value) override;
  int32_t channel_message(int ch, int status, int data1, int data2) override;

private:
  class Feedback : public ParamFeedbackInterface {
  public:
    explicit Feedback(MidiMgr& mgr) : mgr_(mgr) {}
    void parameter_to_midi(int param, float value) override { mgr_.parameter_to_midi(param, value); }

  private:
    MidiMgr& mgr_;
  };

  // Index of the slot of `id`, or -1 for an identifier that cannot exist.
  static int slot_of(int id);
  static int id_of_slot(int slot);
  static bool valid_param(int param) { return param >= 0 && param < kMaxParams; }
  // Under the writer flag.
  void bind_locked(int param, int id);
  void unbind_locked(int param);
  void lock_writer();
  bool try_lock_writer();
  void unlock_writer();
  bool store_switch(const char* name, bool on);

  std::unique_ptr<std::atomic<int16_t>[]> param_of_slot_;
  std::unique_ptr<std::atomic<int32_t>[]> id_of_param_;
  std::atomic_flag writer_ = ATOMIC_FLAG_INIT;

  std::atomic<int> armed_{-1};
  std::atomic<int64_t> last_learned_;  // param << 32 | id, param -1 for none

  std::atomic<bool> nrpn_standard_{true};
  std::atomic<bool> autobind_continuous_{false};
  std::unique_ptr<sys::PersistentKeyList> key_list_;

  PluginCmdInterface* cmd_ = nullptr;
  DspInterface* dsp_ = nullptr;
  int nbr_dsp_params_ = 0;
  MidiInChn* input_ = nullptr;
  std::atomic<MidiReceiverInterface*> output_{nullptr};
  std::atomic<int> feedback_channel_{0};
  Feedback feedback_{*this};
};

}  // namespace mppi
