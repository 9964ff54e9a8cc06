#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "midi_dev_test_support.h"

using midi_test::Packet;
using midi_test::RecordingOut;
using mppi::NrpnNumbering;

namespace {

struct PacketCase {
  std::string what;
  NrpnNumbering numbering;
  std::function<int(RecordingOut&)> call;
  std::vector<Packet> expected;
};

}  // namespace

TEST(MidiDevOutPacket, ReceiverCallsBecomeTheseBytes) {
  const NrpnNumbering std_ = NrpnNumbering::standard;
  const NrpnNumbering swp = NrpnNumbering::swapped;
  const std::vector<PacketCase> cases = {
      {"program with bank", std_, [](RecordingOut& o) { return o.program_change(2, 3 * 128 + 5); },
       {{0xB2, 0, 3}, {0xB2, 32, 0}, {0xC2, 5, 0}}},
      {"rpn standard", std_, [](RecordingOut& o) { return o.rpn(1, 0x0081, 12 * 128 + 50); },
       {{0xB1, 101, 1}, {0xB1, 100, 1}, {0xB1, 6, 12}, {0xB1, 38, 50}}},
      {"rpn swapped", swp, [](RecordingOut& o) { return o.rpn(1, 0x0081, 12 * 128 + 50); },
       {{0xB1, 100, 1}, {0xB1, 101, 1}, {0xB1, 6, 12}, {0xB1, 38, 50}}},
      {"nrpn standard", std_, [](RecordingOut& o) { return o.nrpn(15, 300, 16383); },
       {{0xBF, 99, 2}, {0xBF, 98, 44}, {0xBF, 6, 127}, {0xBF, 38, 127}}},
      {"raw controller", std_, [](RecordingOut& o) { return o.channel_message(9, 11, 74, 100); },
       {{0xB9, 74, 100}}},
      {"raw data masked", std_, [](RecordingOut& o) { return o.channel_message(0, 9, 0x1FF, 0x80); },
       {{0x90, 127, 0}}},
      {"short", std_, [](RecordingOut& o) { return o.send_short(0xE3, 0, 64); }, {{0xE3, 0, 64}}},
      {"decoded calls send nothing", std_,
       [](RecordingOut& o) {
         return o.note_on(0, 60, 60.f, 0.f, 1.f, 1) + o.note_off(0, 60, 0.f) + o.key_pressure(0, 60, 1.f) +
                o.pitch_bend(0, 2.f) + o.control_change(0, 7, 100) + o.set_time_stamp(12);
       },
       {}},
  };
  for (const PacketCase& c : cases) {
    RecordingOut out;
    out.set_nrpn_numbering(c.numbering);
    EXPECT_EQ(c.call(out), 0) << c.what;
    EXPECT_EQ(out.packets, c.expected) << c.what;
  }
}

TEST(MidiDevOutPacket, ARefusedPacketFailsTheCallAndStopsIt) {
  // The data entry must never go out without its parameter number.
  for (int accepted = 0; accepted < 4; ++accepted) {
    RecordingOut out;
    out.refuse_after = accepted;
    EXPECT_EQ(out.rpn(0, 1, 0x2000), -1) << accepted;
    EXPECT_EQ(static_cast<int>(out.packets.size()), accepted);
  }
}
