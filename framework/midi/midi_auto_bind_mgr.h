#pragma once
// Controller learning from the setup menu: the user touches a parameter's
// control on the editor, then moves a MIDI controller, which becomes bound
// to that parameter. Holds the selection and the learning mode, arms the
// MIDI manager accordingly and makes the menu entries' labels.
// Editor thread only.

#include <memory>
#include <string>
#include <vector>

namespace mppi {

class DspInterface;
class MidiAutoBindMgr;
class MidiMgr;

// One per parameter; the editor calls on_touched when the parameter's
// control is touched.
class MidiAutoBindListener {
public:
  MidiAutoBindListener(MidiAutoBindMgr& mgr, int param) : mgr_(mgr), param_(param) {}
  void on_touched();
  int get_param() const { return param_; }

private:
  MidiAutoBindMgr& mgr_;
  int param_;
};

struct MidiAutoBindMenu {
  std::string autobind_label;
  bool autobind_checked = false;
  std::string unbind_label;
  std::string nrpn_label;
  bool nrpn_checked = false;
};

class MidiAutoBindMgr {
public:
  static constexpr int kMaxNameLength = 128;

  MidiAutoBindMgr() = default;
  MidiAutoBindMgr(const MidiAutoBindMgr&) = delete;
  MidiAutoBindMgr& operator=(const MidiAutoBindMgr&) = delete;

  // One listener per parameter of `dsp`. Either may be null: no learning.
  void init(MidiMgr* midi, DspInterface* dsp);
  bool is_initialised() const { return initialised_; }
  MidiAutoBindListener* get_listener(int param);

  // --- Editor events ---------------------------------------------------------
  void select_parameter(int param);
  int get_selected() const { return selected_; }
  // "Auto-bind" menu entry.
  void toggle_autobind();
  bool is_autobind_on() const { return autobind_on_; }
  // "Un-bind" menu entry: the selected parameter loses its controller.
  void unbind_selected();
  // "Old erroneous nrpn behaviour" entry; false when it could not be saved.
  bool toggle_nrpn_compat();

  // Arms or disarms the MIDI manager for the mode and the selection; a
  // binding learned meanwhile may end the mode.
  void update();
  // Brings the state up to date, then the labels of the three entries.
  MidiAutoBindMenu make_menu();

private:
  std::string param_name(int param) const;

  MidiMgr* midi_ = nullptr;
  DspInterface* dsp_ = nullptr;
  std::vector<std::unique_ptr<MidiAutoBindListener>> listeners_;
  int selected_ = -1;
  bool initialised_ = false;
  bool autobind_on_ = false;
};

}  // namespace mppi
