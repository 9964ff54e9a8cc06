#pragma once
// A device link that records the receiver calls and controller notifications.

#include <vector>

#include "framework/midi_devices/midi_dev_link_interface.h"
#include "tests/framework/midi/recording_receiver.h"

namespace midi_test {

class RecordingLink : public mppi::MidiDevLinkInterface {
public:
  mppi::MidiReceiverInterface* get_midi_receiver() override { return &receiver; }
  int notify_controller(int id, int value14) override {
    notifications.push_back({id, value14});
    return 0;
  }

  RecordingReceiver receiver;
  std::vector<Notification> notifications;
};

}  // namespace midi_test
