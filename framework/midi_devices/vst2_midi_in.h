#pragma once
// MIDI from the host: the adapter's event call hands over the block's
// events, which are handled at once on the audio thread. Opening only
// enables delivery.

#include <atomic>

#include "framework/midi_devices/midi_in_cc_mixin.h"
#include "framework/midi_devices/midi_timed_event.h"

namespace mppi {

class MidiDevLinkInterface;

class Vst2MidiIn : public MidiInCcMixin {
public:
  Vst2MidiIn() = default;
  ~Vst2MidiIn() override = default;

  // Editor thread, before attaching. Controllers go nowhere without it.
  void set_link(MidiDevLinkInterface* link) { link_.store(link); }

  int open() override;
  int close() override;
  int is_active() const override { return enabled_.load() ? 1 : 0; }
  // Host events are handled as they arrive; nothing waits here.
  int poll() override {
    apply_pending_state();
    return 0;
  }
  int notify_controller(int id, int value) override;

  // --- Audio thread, from the host adapter's event call ----------------------
  // Returns how many events were handled: 0 while disabled.
  int process_events(const MidiTimedEvent* events, int count);

private:
  std::atomic<bool> enabled_{false};
  std::atomic<MidiDevLinkInterface*> link_{nullptr};
};

}  // namespace mppi
