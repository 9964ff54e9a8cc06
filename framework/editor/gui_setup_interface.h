#pragma once
// What the setup menu and the preset section may ask of the editor they
// sit in. Editor thread only.

namespace mppi {

class GuiSetupInterface {
public:
  virtual ~GuiSetupInterface() = default;
  // Every control shows its parameter's current value again (after a
  // settings file or a bank changed things behind the controls' backs).
  virtual void refresh_all_controls() = 0;
  // The parameter last touched in the editor, for MIDI learn; -1 for none.
  virtual int get_last_touched_param() const = 0;
};

}  // namespace mppi
