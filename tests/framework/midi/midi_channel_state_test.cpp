// Messages of one channel turned into receiver calls: notes, pedals,
// registered and non-registered parameters, tuning, bend and programs.

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/midi/recording_receiver.h"

namespace {

using midi_test::MidiCall;
using midi_test::Notification;
using midi_test::RecordingReceiver;
using midi_test::TestMidiIn;
using mppi::NrpnNumbering;

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

// Only channel messages are handled; data bytes keep their low 7 bits.
TEST_F(MidiNotes, NoteOnCarriesPitchVelocityAndChannel) {
  for (int status : {0x00, 0x7F, 0xF0, 0xF8, 0xFF, 0x100, -0x70}) in.send(status, 60, 100);
  EXPECT_TRUE(rx.calls.empty());
  const int cases[][4] = {{0x90, 60, 100, 60}, {0x93, 0, 1, 0}, {0x9F, 127, 127, 127}, {0x9A, 0xBC, 0xFF, 0x3C}};
  for (const auto& c : cases) {
    rx.calls.clear();
    in.send(c[0], c[1], c[2]);
    const std::vector<MidiCall> on = rx.of(MidiCall::kNoteOn);
    ASSERT_EQ(on.size(), 1u);
    EXPECT_EQ(on[0].ch, c[0] & 15);
    EXPECT_EQ(on[0].a, c[3]);
    EXPECT_EQ(on[0].x, static_cast<float>(c[3]));  // pitch
    EXPECT_EQ(on[0].z, static_cast<float>(c[2] & 127) / 64.0f);
    EXPECT_EQ(rx.of(MidiCall::kRaw).size(), 1u);
  }
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

TEST_F(MidiParams, NumberSelectionInBothNumberings) {
  const struct {
    NrpnNumbering numbering;
    int first, second;  // selecting controllers, given the values 3 and 5
    int kind, number;
  } cases[] = {
      {NrpnNumbering::standard, 101, 100, 101, 3 * 128 + 5}, {NrpnNumbering::swapped, 100, 101, 101, 3 * 128 + 5},
      {NrpnNumbering::standard, 99, 98, 99, 3 * 128 + 5},    {NrpnNumbering::swapped, 98, 99, 99, 3 * 128 + 5},
      {NrpnNumbering::standard, 98, 99, 99, 5 * 128 + 3},
  };
  for (const auto& c : cases) {
    RecordingReceiver r;
    TestMidiIn dev(&r);
    dev.set_nrpn_numbering(c.numbering);
    dev.send_cc(4, {{c.first, 3}, {c.second, 5}});
    EXPECT_TRUE(r.decoded().empty() && dev.notifications.empty());  // selection alone calls nothing
    dev.send_cc(4, {{6, 3}, {38, 4}});
    const std::vector<MidiCall> calls = r.of(c.kind == 101 ? MidiCall::kRpn : MidiCall::kNrpn);
    ASSERT_EQ(calls.size(), 2u) << c.first;
    EXPECT_EQ(calls[1].a, c.number) << c.first;
    EXPECT_EQ(dev.notifications.back().id, (c.kind << 16) + c.number) << c.first;
    // Non-registered data lands in the table, high then low half.
    if (c.kind == 99) { EXPECT_EQ(dev.get_channel_state(4).get_nrpn_value(c.number), 3 * 128 + 4); }
  }
  in.send_cc(0, {{99, 20}, {98, 0}, {6, 100}});  // beyond the table: answers 0
  EXPECT_EQ(in.notifications.back(), (Notification{(99 << 16) + 2560, 0}));
}

// Bend range, fine and coarse tuning and the host's detune, judged by the
// pitch of a note (status 0x90) or the bend in semitones (0xE0).
TEST_F(MidiParams, RegisteredParametersShapePitchAndBend) {
  using P = std::pair<int, int>;
  const struct {
    std::vector<P> ccs;
    int status, d1, d2, detune;
    float expected;
  } cases[] = {
      {{{101, 0}, {100, 0}, {6, 12}, {38, 0}}, 0xE0, 0, 0, 0, -12.0f},
      {{{101, 0}, {100, 0}, {6, 12}}, 0xE0, 0, 96, 0, 6.0f},
      {{{101, 0}, {100, 0}, {6, 12}}, 0xE0, 127, 127, 0, static_cast<float>(12.0 * 8191 / 8192)},
      {{{101, 0}, {100, 0}, {6, 2}, {38, 75}}, 0xE0, 0, 0, 0, -2.75f},  // fine part in hundredths
      {{}, 0xE0, 0, 64, 0, 0.0f},
      {{{101, 0}, {100, 1}, {6, 65}, {38, 50}}, 0x90, 60, 64, 0, 61.5f},
      {{{101, 0}, {100, 1}, {6, 63}, {38, 25}}, 0x90, 60, 64, 0, 59.25f},
      {{{101, 0}, {100, 2}, {6, 62}}, 0x90, 60, 64, 0, 58.0f},
      {{{101, 0}, {100, 2}, {6, 70}, {38, 99}}, 0x90, 60, 64, 0, 66.0f},  // coarse ignores the low half
      {{}, 0x90, 60, 64, -30, 59.7f},
      // The null number restores the defaults.
      {{{101, 0}, {100, 0}, {6, 12}, {100, 1}, {6, 70}, {101, 127}, {100, 127}, {6, 0}}, 0x90, 60, 64, 0, 60.0f},
      {{{101, 0}, {100, 0}, {6, 12}, {101, 127}, {100, 127}, {6, 0}}, 0xE0, 0, 0, 0, -2.0f},
  };
  for (const auto& c : cases) {
    RecordingReceiver r;
    TestMidiIn dev(&r);
    for (const auto& [controller, value] : c.ccs) dev.send(0xB0, controller, value);
    dev.send(c.status, c.d1, c.d2, c.detune);
    const std::vector<MidiCall> out = r.of(c.status == 0x90 ? MidiCall::kNoteOn : MidiCall::kPitchBend);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_FLOAT_EQ(out[0].x, c.expected) << c.ccs.size() << " " << c.d1 << " " << c.d2;
  }
  EXPECT_EQ(in.get_channel_state(1).get_bend_range(), 2.0);
}

TEST_F(MidiParams, ProgramChangeAddsTheSelectedBankAndControllersNotify) {
  in.send(0xC0, 7, 0);
  in.send_cc(0, {{0, 1}, {32, 2}});  // bank 130
  in.send(0xC0, 5, 0);
  in.send(0xC1, 5, 0);  // other channel: bank 0
  const std::vector<MidiCall> programs = rx.of(MidiCall::kProgram);
  ASSERT_EQ(programs.size(), 3u);
  EXPECT_EQ(programs[1].a, 130 * 128 + 5);
  EXPECT_EQ(programs[2].a, 5);

  in.notifications.clear();
  in.send_cc(0, {{74, 127}, {64, 1}, {101, 0}, {100, 0}, {6, 4}, {99, 0}, {98, 9}, {38, 5}});
  const std::vector<Notification> expected = {
      {74 << 16, 16256}, {64 << 16, 128}, {101 << 16, 4 * 128}, {(99 << 16) + 9, 5}};
  EXPECT_EQ(in.notifications, expected);
}

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
