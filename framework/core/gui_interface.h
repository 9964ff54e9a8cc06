#pragma once
// What the host adapter asks of the GUI object (the editor). Slot order
// kept; the adapter calls these on the host's GUI thread, except
// param_changed, which comes from the thread that changed the parameter.

namespace mppi {

class HostGuiInterface;
class DspInterface;
class BankManager;

class GuiInterface {
public:
  virtual ~GuiInterface() = default;
  virtual void init() = 0;    // after the host is ready
  virtual void start() = 0;
  virtual void detach() = 0;
  virtual HostGuiInterface* get_host() = 0;
  virtual void set_host(HostGuiInterface* host) = 0;
  virtual DspInterface* get_dsp() = 0;
  virtual void set_dsp(DspInterface* dsp) = 0;
  virtual void set_window(void* window) = 0;
  virtual void* get_window() = 0;
  virtual int get_width() const = 0;
  virtual int get_height() const = 0;
  virtual int open(void* parent) = 0;  // 0 on success
  virtual void close() = 0;
  virtual void param_changed(int param, float value, int source) = 0;
  virtual void reserved_15() {}  // unused; keeps the later slots in place
  virtual void bank_published(const BankManager& bank) = 0;
  virtual void reserved_17() {}  // unused; the last slot, kept with the others
  // --- Later additions; defaults fit an object without a window -----------
  // The host's editor idle (editor thread); harmless while closed.
  virtual void idle() {}
  // A key the host passes on while the editor has the keyboard; true when
  // the editor used it. `down` false for the release.
  virtual bool key(int character, int virtual_key, int modifiers, bool down) {
    (void)character;
    (void)virtual_key;
    (void)modifiers;
    (void)down;
    return false;
  }
  // The scale the host asked for (1 or 2); 0 lets the desktop decide.
  // Takes effect at the next open.
  virtual void set_scale(int scale) { (void)scale; }
  // The scale the window opens (or is open) at: 1 or 2.
  virtual int get_scale() { return 1; }
};

}  // namespace mppi
