#include <gtest/gtest.h>

#include <cstdint>

#include "framework/midi_devices/mci_midi_in.h"
#include "midi_dev_test_support.h"

using midi_test::MidiCall;
using midi_test::Notification;
using midi_test::RecordingLink;

namespace {

uint32_t pack(int status, int data1, int data2) {
  return static_cast<uint32_t>(status) | static_cast<uint32_t>(data1) << 8 | static_cast<uint32_t>(data2) << 16;
}

struct MciInRig {
  MciInRig() : in(0, "Zindle-BR") {
    in.set_link(&link);
    in.attach(link.get_midi_receiver());
  }
  RecordingLink link;
  mppi::MciMidiIn in;
};

}  // namespace

TEST(MidiDevMciIn, RingHolds3999MessagesAndDropsTheRest) {
  auto rig = std::make_unique<MciInRig>();
  for (int i = 0; i < 4001; ++i) rig->in.receive_short_message(pack(0xB0, 1, i & 127), static_cast<uint32_t>(i));
  EXPECT_EQ(rig->in.get_nbr_dropped(), 2u);
  EXPECT_EQ(rig->in.poll(), 3999);
  const auto controls = rig->link.receiver.of(MidiCall::kControl);
  ASSERT_EQ(controls.size(), 3999u);
  EXPECT_EQ(controls.back().b, 3998 & 127);  // the oldest kept, the newest dropped
  EXPECT_EQ(rig->in.poll(), 0);
}

TEST(MidiDevMciIn, MalformedBytesAreDroppedOrMasked) {
  auto rig = std::make_unique<MciInRig>();
  rig->in.receive_short_message(0xFFFFFFFFu, 0);       // system reset with junk
  rig->in.receive_short_message(pack(0x40, 60, 60), 0);  // a data byte as status
  rig->in.receive_short_message(pack(0xF0, 1, 2), 0);
  rig->in.receive_short_message(pack(0x90, 0xBC, 0xE4), 0);  // data bytes with the top bit
  EXPECT_EQ(rig->in.poll(), 4);
  const auto decoded = rig->link.receiver.decoded();
  ASSERT_EQ(decoded.size(), 1u);
  EXPECT_EQ(decoded[0].a, 0x3C);
  EXPECT_FLOAT_EQ(decoded[0].z, 0x64 / 64.0f);

  mppi::MciMidiIn far(100000, "Zindle-BR");  // no such port
  EXPECT_EQ(far.open(), -1);
  EXPECT_EQ(far.is_active(), 0);
}
