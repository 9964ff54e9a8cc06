#include "framework/midi_devices/vst2_midi_in.h"

#include "framework/midi_devices/midi_dev_link_interface.h"

namespace mppi {

int Vst2MidiIn::open() {
  enabled_.store(true);
  return 0;
}

int Vst2MidiIn::close() {
  enabled_.store(false);
  return 0;
}

int Vst2MidiIn::notify_controller(int id, int value) {
  MidiDevLinkInterface* link = link_.load();
  return link != nullptr ? link->notify_controller(id, value) : 0;
}

int Vst2MidiIn::process_events(const MidiTimedEvent* events, int count) {
  if (!enabled_.load() || events == nullptr) return 0;
  int handled = 0;
  for (int i = 0; i < count; ++i) {
    const MidiTimedEvent& event = events[i];
    receive_message(event.offset, event.bytes[0], event.bytes[1], event.bytes[2], event.detune_cents);
    ++handled;
  }
  return handled;
}

}  // namespace mppi
