#pragma once
// Chooses the MIDI input and output among the families (host first, then
// the system ports), opens them, connects them and remembers the choice in
// the settings: "port_in" and "port_out", each with "name" (or "none")
// followed by the device's own settings.
//
// The audio thread reaches the selected devices only through poll() and
// use_output(); a selection change takes the old device away from it
// before closing it, so the device is never used while being deleted.

#include <string>
#include <vector>

#include "basic/setting_client_interface.h"
#include "framework/midi/midi_channel_state.h"
#include "framework/midi/midi_receiver_interface.h"
#include "framework/midi_devices/midi_dev_selector_interface.h"
#include "framework/midi_devices/midi_dev_slot.h"

namespace mppi {

class MidiDevLinkInterface;
class MidiDevSelCompInterface;
class MidiInCcMixin;
class MidiOut4BPacketMixin;

class MidiDevSelDispatcher : public MidiDevSelectorInterface, public basic::SettingClientInterface {
public:
  static constexpr char kKeyIn[] = "port_in";
  static constexpr char kKeyOut[] = "port_out";
  static constexpr char kKeyName[] = "name";
  static constexpr char kNone[] = "none";

  explicit MidiDevSelDispatcher(MidiDevLinkInterface& link);
  // Closes the selected devices; the families must still exist.
  ~MidiDevSelDispatcher() override;
  MidiDevSelDispatcher(const MidiDevSelDispatcher&) = delete;
  MidiDevSelDispatcher& operator=(const MidiDevSelDispatcher&) = delete;

  // --- Set-up ----------------------------------------------------------------
  // Not owned; stays until stop(). Rebuilds the combined lists from the
  // family's current ones, without asking the system.
  void add_family(MidiDevSelCompInterface& family);
  // Deselects both sides (before the families go away).
  void stop();

  // --- MidiDevSelectorInterface ----------------------------------------------
  // Re-reads every family's lists: 0, or the first family error. A
  // selection whose name moved follows it; one whose name is gone ends.
  int update_lists() override;
  int get_nbr_inputs() const override { return static_cast<int>(inputs_.size()); }
  std::string get_input_name(int index) const override;
  int get_nbr_outputs() const override { return static_cast<int>(outputs_.size()); }
  std::string get_output_name(int index) const override;
  int select_input(int index) override;
  int select_output(int index) override;
  int get_selected_input() const override { return selected_in_; }
  int get_selected_output() const override { return selected_out_; }

  // Index of the entry named `name`, or -1.
  int find_input(const std::string& name) const;
  int find_output(const std::string& name) const;
  MidiInCcMixin* get_input() const { return input_.get(); }
  MidiOut4BPacketMixin* get_output() const { return output_.get(); }

  // The binding layer's switch, passed to the devices now and later.
  void set_nrpn_numbering(NrpnNumbering numbering);

  // --- Audio thread ----------------------------------------------------------
  // Before rendering: delivers what the selected input has waiting.
  int poll();
  // Every call goes to the selected output; -1 when there is none.
  MidiReceiverInterface& use_output() { return output_receiver_; }

  // --- Settings (editor thread) -----------------------------------------------
  int write_settings(basic::ConfKeyMulti& section) const override;
  // A device name that is not in the lists keeps the current selection (the
  // device may just be unplugged); a device that fails to open leaves its
  // side unselected. The lists are read again only when a stored name asks
  // for a device other than the selected one, so loading the usual host
  // selection never wakes the system's MIDI. Errors are the devices' own
  // settings errors.
  int read_settings(const basic::ConfKeyMulti& section) override;

private:
  struct Entry {
    std::string name;
    MidiDevSelCompInterface* family;
    int local_index;
  };

  class OutputReceiver : public MidiReceiverInterface {
  public:
    explicit OutputReceiver(MidiDevSlot<MidiOut4BPacketMixin>& slot) : slot_(slot) {}
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
    MidiDevSlot<MidiOut4BPacketMixin>& slot_;
  };

  void rebuild_lists();
  void release_input();
  void release_output();

  MidiDevLinkInterface& link_;
  std::vector<MidiDevSelCompInterface*> families_;
  std::vector<Entry> inputs_;
  std::vector<Entry> outputs_;
  int selected_in_ = -1;
  int selected_out_ = -1;
  MidiDevSelCompInterface* in_family_ = nullptr;
  MidiDevSelCompInterface* out_family_ = nullptr;
  NrpnNumbering numbering_ = NrpnNumbering::standard;
  MidiDevSlot<MidiInCcMixin> input_;
  MidiDevSlot<MidiOut4BPacketMixin> output_;
  OutputReceiver output_receiver_{output_};
};

}  // namespace mppi
