#pragma once
// The host as the plug-in core sees it. The VST 2 adapter implements it
// over the host callback; tests implement it to watch what a host would
// receive. Indices here are host indices.

namespace mppi {

class HostCallbackInterface {
public:
  virtual ~HostCallbackInterface() = default;
  virtual void automate(int host_index, float value) = 0;
  virtual void begin_edit(int host_index) = 0;
  virtual void end_edit(int host_index) = 0;
  // Asks the host to re-read names and values.
  virtual void update_display() = 0;
};

}  // namespace mppi
