#pragma once
// The system family: the ports the system lists. A device object is made
// when a port is selected and deleted when it is deselected.
// ("Mci" names the system's multimedia MIDI ports: the Windows multimedia
// API on Windows, the ALSA sequencer on Linux.)

#include <memory>
#include <string>
#include <vector>

#include "framework/midi_devices/mci_midi_in.h"
#include "framework/midi_devices/mci_midi_out.h"
#include "framework/midi_devices/midi_dev_sel_comp_interface.h"

namespace mppi {

class MciMidiDevSelComp : public MidiDevSelCompInterface {
public:
  // client_name: how the plug-in shows itself where it is a MIDI client of
  // its own. The lists stay empty until update_lists(): the system is not
  // asked (ALSA not even opened) before someone wants its ports.
  explicit MciMidiDevSelComp(const std::string& client_name);
  ~MciMidiDevSelComp() override;
  MciMidiDevSelComp(const MciMidiDevSelComp&) = delete;
  MciMidiDevSelComp& operator=(const MciMidiDevSelComp&) = delete;

  int update_lists() override;
  const std::vector<std::string>& get_input_names() const override { return input_names_; }
  const std::vector<std::string>& get_output_names() const override { return output_names_; }

  int select_input(int index, MidiDevLinkInterface& link) override;
  MidiInCcMixin* get_input() override { return input_.get(); }
  int select_output(int index) override;
  MidiOut4BPacketMixin* get_output() override { return output_.get(); }

private:
  void release_input();
  void release_output();

  std::string client_name_;
  std::vector<std::string> input_names_;
  std::vector<std::string> output_names_;
  std::unique_ptr<MciMidiIn> input_;
  std::unique_ptr<MciMidiOut> output_;
};

}  // namespace mppi
