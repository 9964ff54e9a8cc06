#pragma once
// The host-independent spine of a running plug-in: every parameter change
// (host automation, editor, MIDI, programs) passes through here on its way
// to the parameter objects, the current program, the editor and the host.
// A host adapter owns one and supplies the host side through
// HostCallbackInterface.
//
// Threads. set_param, notify_host and set_param_and_notify may be entered
// from the host, editor, background and audio threads at once; they use only
// atomics (arbitration records, the live value mirror, gesture states,
// parameter values) and never wait. Everything that touches the bank
// itself (program application and selection, names, chunks, publishing)
// runs on the host's GUI-side threads and is serialised by a mutex that the
// audio thread never takes. Edits reach the bank through the live value
// mirror, which is written back into the current program whenever the
// bank is read or the program changes.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "basic/lock_free_buffer.h"
#include "framework/core/bank_manager.h"
#include "framework/core/gesture_tracker.h"
#include "framework/core/plugin_cmd_interface.h"
#include "framework/params/param_access_interface.h"
#include "framework/params/param_priority.h"
#include "framework/params/param_reorder.h"

namespace mppi {

class DspInterface;
class GuiInterface;
class HostCallbackInterface;

// Sends a parameter change to a MIDI output as controller feedback.
class ParamFeedbackInterface {
public:
  virtual ~ParamFeedbackInterface() = default;
  virtual void parameter_to_midi(int param, float value) = 0;
};

class PluginCore : public PluginCmdInterface, public ParamAccessInterface {
public:
  static constexpr int kSourceHostAutomation = 100;
  static constexpr int kSourceProgramFade = 140;
  static constexpr int kSourceProgram = 200;
  static constexpr int kSourceRefresh = 1;

  PluginCore(DspInterface& dsp, BankManager& bank);
  ~PluginCore() override;

  // --- Wiring (before the host sees the plug-in) --------------------------
  void set_gui(GuiInterface* gui) { gui_ = gui; }
  void set_host(HostCallbackInterface* host) { host_ = host; }
  void set_feedback(ParamFeedbackInterface* feedback) { feedback_.store(feedback); }
  // Seconds of the arbitration clock; the system tick unless a test sets one.
  void set_clock(std::function<double()> clock) { clock_ = std::move(clock); }
  // After the DSP object's init: sizes the arbitration, gesture and
  // reorder tables to its parameters.
  void init_params();

  // --- PluginCmdInterface (any thread, except apply_program) -------------
  bool can_take_control(int param, int source) override;
  bool take_control(int param, int source) override;
  void release_control(int param, int source) override;
  bool set_param(int param, float value, int source) override;
  bool notify_host(int param, float value, int source) override;
  bool set_param_and_notify(int param, float value, int source) override;
  // GUI-side threads.
  void apply_program(const ProgramSlot& program, int source, bool release_after,
                     bool automate_host) override;

  // --- ParamAccessInterface -------------------------------------------------
  int get_nbr_param() const override { return nbr_param_; }
  NormalizedParamInterface* get_param(int index) override;

  // --- Programs (host GUI thread) ------------------------------------------
  int get_current_program() const { return cur_prog_.load(); }
  // False for an index outside the bank.
  bool select_program(int index);
  // Makes `index` current without applying it; the program keeps its stored
  // values until the next application (a preset fade's first step) writes it.
  bool set_current_program(int index);
  // The live sound, with the current program's name, into slot `index`,
  // which becomes current. False for an index outside the bank.
  bool store_program(int index);
  std::string get_program_name(int index);
  bool set_program_name(int index, const std::string& name);
  int get_nbr_programs();
  // Chunk operations; see chunk_storage.h for the layouts.
  int get_chunk(bool is_preset, std::vector<uint8_t>& buffer);
  int set_chunk(const uint8_t* data, int size, bool is_preset);
  // Every program replaced by `bank`'s (false, and nothing changes, when the
  // counts differ); the current program is applied at once, automating the
  // host, before any edit could be read back into the new bank.
  bool replace_bank(const BankManager& bank);
  // Runs `fn` with the bank, the current program brought up to date first.
  void with_bank(const std::function<void(BankManager&)>& fn);

  // --- Bank exchange -------------------------------------------------------
  // GUI or DSP side: a copy of `bank` is handed to the audio thread.
  void publish_bank(const BankManager& bank);
  // Audio thread, at the start of every block. A bank taken asks for a
  // display update, sent later off the audio thread.
  void consume_published_bank();
  // Background thread: tells the host to refresh its display if anything
  // asked for it since the last call. The host is never called for it from
  // the audio thread, where its callback might wait on its own GUI.
  void send_pending_display_update();

  // --- Edit gestures ----------------------------------------------------------
  // One closing pass (background thread, or the host's idle call).
  void close_gestures();
  bool is_gesture_closed(int param) const { return gestures_.is_closed(param); }

  ParamReorder& get_param_reorder() { return reorder_; }
  ParamPriorityList& get_priority_list() { return *priorities_; }
  double now() const { return clock_(); }

private:
  bool valid(int param) const { return param >= 0 && param < nbr_param_; }
  bool parameters_hidden() const;
  void sync_current_program_locked();

  DspInterface& dsp_;
  BankManager& bank_;
  GuiInterface* gui_ = nullptr;
  HostCallbackInterface* host_ = nullptr;
  std::atomic<ParamFeedbackInterface*> feedback_{nullptr};
  std::atomic<bool> display_update_pending_{false};
  std::function<double()> clock_;

  int nbr_param_ = 0;
  std::unique_ptr<ParamPriorityList> priorities_;
  ParamReorder reorder_;
  GestureTracker gestures_;
  // The live values of the current program, written by every thread.
  std::unique_ptr<std::atomic<float>[]> live_values_;
  std::atomic<int> cur_prog_{0};
  // The mirror holds a program only once one was applied; before that it
  // holds the parameters' initial values, which must not overwrite a bank.
  bool mirror_holds_program_ = false;  // guarded by bank_mutex_
  std::mutex bank_mutex_;  // never taken on the audio thread
  basic::LockFreeBuffer<BankManager> exchange_;
};

}  // namespace mppi
