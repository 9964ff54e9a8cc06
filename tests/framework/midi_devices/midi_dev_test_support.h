#pragma once
// Doubles for the device tests: a link that records controllers, and an
// output that records its packets as byte triples.

#include <array>
#include <cstdint>
#include <vector>

#include "framework/midi_devices/midi_dev_link_interface.h"
#include "framework/midi_devices/midi_out_4b_packet_mixin.h"
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

using Packet = std::array<int, 3>;

class RecordingOut : public mppi::MidiOut4BPacketMixin {
public:
  int open() override { return 0; }
  int close() override { return 0; }
  int is_active() const override { return 1; }

  std::vector<Packet> packets;
  int refuse_after = 1 << 30;  // packets accepted before refusing

protected:
  int send_packet(uint32_t packet) override {
    if (static_cast<int>(packets.size()) >= refuse_after) return -1;
    EXPECT_EQ(packet >> 24, 0u);
    packets.push_back({static_cast<int>(packet & 0xff), static_cast<int>((packet >> 8) & 0xff),
                       static_cast<int>((packet >> 16) & 0xff)});
    return 0;
  }
};

}  // namespace midi_test
