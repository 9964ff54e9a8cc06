#pragma once
// The command interface of the host adapter: every parameter change and
// every program application, from whatever source, goes through it.
// Parameter indices are internal indices. `source` is the change priority
// (1 refresh, 50 pot drag, 100 host automation, 125 MIDI controller,
// 140 program-fade step, 200 clicks/typed values/program selection,
// 255 editor set-up).

namespace mppi {

class ProgramSlot;

class PluginCmdInterface {
public:
  virtual ~PluginCmdInterface() = default;
  // Whether a change from `source` would be accepted now.
  virtual bool can_take_control(int param, int source) = 0;
  // The same test; on success records the time and the source.
  virtual bool take_control(int param, int source) = 0;
  // Clears the recorded source if it is `source`.
  virtual void release_control(int param, int source) = 0;
  // Applies a normalized value to the parameter, the current program and
  // the editor, if control can be taken.
  virtual bool set_param(int param, float value, int source) = 0;
  // Reports a change to the host (automation and edit gestures).
  virtual bool notify_host(int param, float value, int source) = 0;
  // set_param, then notify_host when it was accepted.
  virtual bool set_param_and_notify(int param, float value, int source) = 0;
  // Makes `program` the current program's content and pushes its values out.
  virtual void apply_program(const ProgramSlot& program, int source, bool release_after,
                             bool automate_host) = 0;
};

}  // namespace mppi
