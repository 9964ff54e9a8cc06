#pragma once
// Background tasks: work that runs every 50 ms on a low-priority thread of
// the plug-in's own, away from the host's audio and GUI threads.

namespace mppi {

class BkgInterface {
public:
  virtual ~BkgInterface() = default;
  virtual void process() = 0;  // one pass of work
  virtual void* get_context() = 0;
  virtual void set_context(void* context) = 0;
};

}  // namespace mppi
