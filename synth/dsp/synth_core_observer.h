#pragma once
// Watches the block walk of the synth core: which runs it renders and where
// it applies events. For diagnostics and tests; null in normal use.

namespace synth {

struct SynthEvent;

class SynthCoreObserver {
public:
  virtual ~SynthCoreObserver() = default;
  // position: sample position inside the current block.
  virtual void on_event_applied(const SynthEvent& event, long position) = 0;
  virtual void on_run(long position, int length) = 0;
};

}  // namespace synth
