#pragma once
// One family of MIDI devices (host or system ports): its input and output
// names and the input and output it currently has open.

#include <string>
#include <vector>

namespace mppi {

class MidiDevLinkInterface;
class MidiInCcMixin;
class MidiOut4BPacketMixin;

class MidiDevSelCompInterface {
public:
  virtual ~MidiDevSelCompInterface() = default;

  // --- Lists (editor thread) -------------------------------------------------
  // Re-reads the names: 0, or -1 when the system failed (the names read
  // before the failure stay).
  virtual int update_lists() = 0;
  virtual const std::vector<std::string>& get_input_names() const = 0;
  virtual const std::vector<std::string>& get_output_names() const = 0;

  // --- Selection (editor thread; no other thread uses the old device) -------
  // Closes the current input (deleting it if the family made it), then
  // makes the one at `index`, connects it to `link` and opens it. -1 or an
  // index outside the list selects nothing. Returns 0, or -1 when the new
  // device could not be opened (nothing is selected then).
  virtual int select_input(int index, MidiDevLinkInterface& link) = 0;
  virtual MidiInCcMixin* get_input() = 0;
  // The same for the output.
  virtual int select_output(int index) = 0;
  virtual MidiOut4BPacketMixin* get_output() = 0;
};

}  // namespace mppi
