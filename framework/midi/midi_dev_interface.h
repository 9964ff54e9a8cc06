#pragma once
// A MIDI device (input or output) that the device selection opens, closes
// and connects to the MIDI manager. Its settings travel with the plug-in's
// settings file.

#include "basic/setting_client_interface.h"

namespace mppi {

class MidiDevInterface : public basic::SettingClientInterface {
public:
  ~MidiDevInterface() override = default;

  // --- Life (editor thread, when the device is selected or deselected) -----
  // Both return 0, or -1 when the system refused.
  virtual int open() = 0;
  virtual int close() = 0;
};

}  // namespace mppi
