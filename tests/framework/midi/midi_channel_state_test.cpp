// Messages of one channel turned into receiver calls: note-offs, the two
// pedals, and what attaching a new receiver resets.

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/midi/recording_receiver.h"

namespace {

using midi_test::MidiCall;
using midi_test::RecordingReceiver;
using midi_test::TestMidiIn;

struct MidiInFixture : ::testing::Test {
  RecordingReceiver rx;
  TestMidiIn in{&rx};

  std::vector<int> notes_off() const {
    std::vector<int> notes;
    for (const MidiCall& call : rx.of(MidiCall::kNoteOff)) notes.push_back(call.a);
    return notes;
  }
};

using MidiNotes = MidiInFixture;

TEST_F(MidiNotes, OnlyChannelMessagesAreHandled) {
  for (int status : {0x00, 0x7F, 0xF0, 0xF8, 0xFF, 0x100, -0x70}) in.send(status, 60, 100);
  EXPECT_TRUE(rx.calls.empty());
}

TEST_F(MidiNotes, VelocityZeroIsANoteOff) {
  in.send(0x92, 64, 90);
  in.send(0x92, 64, 0);
  in.send(0x82, 64, 32);
  const std::vector<MidiCall> off = rx.of(MidiCall::kNoteOff);
  ASSERT_EQ(off.size(), 2u);
  EXPECT_EQ(off[0].ch, 2);
  EXPECT_EQ(off[0].x, 0.0f);
  EXPECT_EQ(off[1].x, 0.5f);
  EXPECT_FALSE(in.get_channel_state(2).is_key_down(64));
}

TEST_F(MidiNotes, SustainHoldsUntilLifted) {
  in.send(0xB1, 64, 127);  // another channel's pedal holds nothing here
  in.send(0x90, 59, 100);
  in.send(0x80, 59, 0);
  ASSERT_EQ(notes_off(), (std::vector<int>{59}));
  rx.calls.clear();
  in.send(0xB0, 64, 64);  // above 63: down
  in.send(0x90, 60, 100);
  in.send(0x80, 60, 40);
  in.send(0x90, 62, 100);
  in.send(0x80, 62, 40);
  in.send(0x90, 62, 100);  // struck again while held: sounds on after the pedal
  EXPECT_TRUE(notes_off().empty());
  EXPECT_TRUE(in.get_channel_state(0).is_key_held(60));

  in.send(0xB0, 64, 63);  // 63 is up
  ASSERT_EQ(notes_off(), (std::vector<int>{60}));
  EXPECT_EQ(rx.of(MidiCall::kNoteOff)[0].x, 1.0f);
  EXPECT_TRUE(in.get_channel_state(0).is_key_down(62));

  in.send(0x80, 62, 0);
  EXPECT_EQ(notes_off(), (std::vector<int>{60, 62}));
}

TEST_F(MidiNotes, SostenutoHoldsOnlyTheKeysDownWhenPressed) {
  in.send(0x90, 60, 100);
  in.send(0xB0, 66, 127);
  in.send(0x90, 62, 100);
  in.send(0x80, 60, 0);
  in.send(0x80, 62, 0);
  EXPECT_EQ(notes_off(), (std::vector<int>{62}));
  in.send(0xB0, 66, 0);
  EXPECT_EQ(notes_off(), (std::vector<int>{62, 60}));
  EXPECT_FALSE(in.get_channel_state(0).is_key_down(60));
}

using MidiParams = MidiInFixture;

TEST_F(MidiParams, AttachResetsEverythingButThePedals) {
  in.set_bend_range(2.75f);
  EXPECT_EQ(in.get_channel_state(9).get_bend_range_data(), 2 * 128 + 75);
  in.set_bend_range(24.0f);
  in.send_cc(3, {{64, 127}, {99, 0}, {98, 10}, {6, 9}, {101, 0}, {100, 1}, {6, 80}, {0, 3}});
  in.send(0xE3, 0, 0);
  in.send(0x93, 60, 1);

  RecordingReceiver other;
  in.attach(&other);
  const mppi::MidiChannelState& state = in.get_channel_state(3);
  EXPECT_EQ(state.get_receiver(), &other);
  EXPECT_TRUE(state.is_sustain_down());
  EXPECT_FALSE(state.is_key_down(60));
  EXPECT_EQ(state.get_nrpn_value(10), 0);
  EXPECT_EQ(state.get_bank(), 0);
  EXPECT_EQ(state.get_bend(), 0.0);
  EXPECT_EQ(state.get_bend_range(), 2.0);
  EXPECT_EQ(state.get_tuning(), 0.0);
}

}  // namespace
