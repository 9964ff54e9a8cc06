#pragma once
// What the GUI object may ask of the host side. Implemented by the host
// adapter's GUI-side object; slot order kept. Parameter indices are
// internal indices.

#include <string>

namespace mppi {

class BankManager;
class MidiDevSelectorInterface;
class MidiMgr;
class ProgramSlot;

class HostGuiInterface {
public:
  virtual ~HostGuiInterface() = default;
  virtual void reserved_1() {}  // unused; keeps the later slots in place
  // "can_resize_window"; 0.0 for anything unknown.
  virtual double get_host_num_property(const char* key) = 0;
  // "interface_standard", "interface_info"; empty for anything unknown.
  virtual std::string get_host_string_property(const char* key) = 0;
  // --- Parameter control from the editor (editor thread) ------------------
  virtual bool can_take_control(int param, int source) = 0;
  virtual bool take_control(int param, int source) = 0;
  virtual void release_control(int param, int source) = 0;
  virtual bool set_param_and_notify(int param, float value, int source) = 0;
  virtual void apply_program(const ProgramSlot& program, int source) = 0;
  virtual void publish_bank(const BankManager& bank) = 0;
  // 0, or -1 when the host refused the new size.
  virtual int resize_window(int width, int height) = 0;
  virtual void get_settings_path(std::string& out) = 0;
  virtual MidiMgr* get_midi_mgr() = 0;
  // --- Program storage (editor thread); later additions --------------------
  // The defaults answer as a host without programs would.
  // The current program (what the host's program query answers); -1 for none.
  virtual int get_current_program() { return -1; }
  // A copy of the bank, the current program up to date with the live sound.
  virtual bool get_bank(BankManager& out) {
    (void)out;
    return false;
  }
  // Makes `index` current without applying it: the caller applies the sound
  // next (a preset fade's first step).
  virtual bool set_current_program(int index) {
    (void)index;
    return false;
  }
  // The current sound and name go into slot `index`, which becomes current.
  virtual bool store_program(int index) {
    (void)index;
    return false;
  }
  virtual bool set_program_name(int index, const std::string& name) {
    (void)index;
    (void)name;
    return false;
  }
  // Replaces every program (the count must match), lets the host re-read
  // the names and applies the current program.
  virtual bool replace_bank(const BankManager& bank) {
    (void)bank;
    return false;
  }
  // --- MIDI devices (editor thread); later additions -----------------------
  // The device choice the setup menu offers; null when there is none.
  virtual MidiDevSelectorInterface* get_midi_dev_selector() { return nullptr; }
  // Reads the system's MIDI ports again, just before the setup menu shows
  // a device list; 0, or -1 when the system failed.
  virtual int update_midi_dev_lists() { return 0; }
};

}  // namespace mppi
