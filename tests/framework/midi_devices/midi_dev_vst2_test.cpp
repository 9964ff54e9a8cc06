#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "framework/midi_devices/midi_event_sender_interface.h"
#include "framework/midi_devices/vst2_midi_dev_sel_comp.h"
#include "midi_dev_test_support.h"

using midi_test::MidiCall;
using midi_test::Notification;
using midi_test::RecordingLink;
using mppi::MidiTimedEvent;

namespace {

MidiTimedEvent event(int offset, int status, int data1, int data2, int detune = 0) {
  return MidiTimedEvent{offset, {uint8_t(status), uint8_t(data1), uint8_t(data2), 0}, detune};
}

class RecordingSender : public mppi::MidiEventSenderInterface {
public:
  int send_events(const MidiTimedEvent* events, int count) override {
    lists.push_back(events);
    counts.push_back(count);
    return 0;
  }
  std::vector<const MidiTimedEvent*> lists;
  std::vector<int> counts;
};

}  // namespace

TEST(MidiDevVst2In, DeliversHostEventsOnlyWhileSelected) {
  mppi::Vst2MidiDevSelComp comp;
  RecordingLink link;
  mppi::Vst2MidiIn& in = comp.use_input();
  const std::vector<MidiTimedEvent> block = {event(17, 0x91, 60, 100, 50), event(40, 0xB1, 74, 127),
                                             event(41, 0xF8, 0, 0), event(63, 0x81, 60, 0)};

  EXPECT_EQ(in.process_events(block.data(), 4), 0);  // not selected yet
  EXPECT_TRUE(link.receiver.calls.empty());

  ASSERT_EQ(comp.select_input(0, link), 0);
  EXPECT_EQ(in.process_events(block.data(), 4), 4);

  std::vector<int> stamps;
  for (const MidiCall& c : link.receiver.of(MidiCall::kTimeStamp)) stamps.push_back(c.a);
  EXPECT_EQ(stamps, (std::vector<int>{17, 40, 63}));  // the clock byte is not a channel message
  const auto on = link.receiver.of(MidiCall::kNoteOn);
  ASSERT_EQ(on.size(), 1u);
  EXPECT_FLOAT_EQ(on[0].x, 60.5f);  // 50 cents of detune
  EXPECT_EQ(link.receiver.of(MidiCall::kNoteOff).size(), 1u);
  EXPECT_EQ(link.notifications, (std::vector<Notification>{{74 << 16, 127 << 7}}));

  ASSERT_EQ(comp.select_input(-1, link), 0);
  const size_t before = link.receiver.calls.size();
  EXPECT_EQ(in.process_events(block.data(), 4), 0);
  EXPECT_EQ(link.receiver.calls.size(), before);
}

TEST(MidiDevVst2Out, FlushHandsOverTheListAndAlternates) {
  mppi::Vst2MidiDevSelComp comp;
  RecordingSender sender;
  mppi::Vst2MidiOut& out = comp.use_output();
  out.set_sender(&sender);

  EXPECT_EQ(out.channel_message(0, 11, 7, 100), -1);  // not selected: refused
  ASSERT_EQ(comp.select_output(0), 0);
  EXPECT_EQ(out.flush(), 0);
  EXPECT_TRUE(sender.lists.empty());  // nothing to send

  ASSERT_EQ(out.rpn(3, 0, 12 << 7), 0);
  ASSERT_EQ(out.flush(), 0);
  ASSERT_EQ(sender.counts, std::vector<int>{4});
  const MidiTimedEvent& last = sender.lists[0][3];
  EXPECT_EQ(last.offset, 0);
  EXPECT_EQ((std::array<int, 4>{last.bytes[0], last.bytes[1], last.bytes[2], last.bytes[3]}),
            (std::array<int, 4>{0xB3, 38, 0, 0}));

  // The next block fills the other list; the host's list stays intact.
  ASSERT_EQ(out.channel_message(0, 11, 74, 1), 0);
  ASSERT_EQ(out.flush(), 0);
  ASSERT_EQ(sender.lists.size(), 2u);
  EXPECT_NE(sender.lists[1], sender.lists[0]);
  EXPECT_EQ(sender.lists[0][3].bytes[1], 38);
  ASSERT_EQ(out.channel_message(0, 11, 74, 2), 0);
  ASSERT_EQ(out.flush(), 0);
  EXPECT_EQ(sender.lists[2], sender.lists[0]);
  EXPECT_EQ(sender.lists[2][0].bytes[2], 2);

  // Packets beyond 1024 in a block are dropped and counted.
  int refused = 0;
  for (int i = 0; i < 1030; ++i) refused += out.channel_message(0, 11, 1, i & 127) != 0;
  EXPECT_EQ(refused, 6);
  EXPECT_EQ(out.get_nbr_dropped(), 7u);  // with the one refused before selection
  ASSERT_EQ(out.flush(), 0);
  EXPECT_EQ(sender.counts.back(), 1024);
  EXPECT_EQ(sender.lists.back()[1023].bytes[2], 1023 & 127);
  EXPECT_EQ(out.channel_message(0, 11, 1, 0), 0);  // a fresh block has room again
}
