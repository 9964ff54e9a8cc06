#include <gtest/gtest.h>

#include <vector>

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
