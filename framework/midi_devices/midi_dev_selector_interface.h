#pragma once
// The MIDI device choice the setup menu offers: one combined list of
// inputs and one of outputs; index -1 is none.

#include <string>

namespace mppi {

class MidiDevSelectorInterface {
public:
  virtual ~MidiDevSelectorInterface() = default;

  // --- Lists (editor thread) -------------------------------------------------
  // Asks the system for its ports again; the setup menu calls it before it
  // shows a device list. Until then the lists hold only the host's devices
  // (and the ports a loaded selection needed). 0, or -1 when the system
  // failed.
  virtual int update_lists() = 0;
  virtual int get_nbr_inputs() const = 0;
  virtual std::string get_input_name(int index) const = 0;
  virtual int get_nbr_outputs() const = 0;
  virtual std::string get_output_name(int index) const = 0;

  // --- Selection (editor thread) ---------------------------------------------
  // 0, or -1 when the device could not be opened ("Can't change MIDI
  // device."); an index outside the list selects nothing.
  virtual int select_input(int index) = 0;
  virtual int select_output(int index) = 0;
  virtual int get_selected_input() const = 0;
  virtual int get_selected_output() const = 0;
};

}  // namespace mppi
