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

TEST_F(MidiNotes, NoteOnCarriesPitchVelocityAndChannel) {
  struct Case {
    int status, note, velocity;
    float expected_velocity;
  };
  for (const Case& c : {Case{0x90, 60, 100, 1.5625f}, Case{0x93, 0, 1, 0.015625f},
                        Case{0x9F, 127, 127, 1.984375f}}) {
    rx.calls.clear();
    in.send(c.status, c.note, c.velocity);
    const std::vector<MidiCall> on = rx.of(MidiCall::kNoteOn);
    ASSERT_EQ(on.size(), 1u);
    EXPECT_EQ(on[0].ch, c.status & 15);
    EXPECT_EQ(on[0].a, c.note);
    EXPECT_EQ(on[0].x, static_cast<float>(c.note));  // pitch
    EXPECT_EQ(on[0].y, 0.0f);
    EXPECT_EQ(on[0].z, c.expected_velocity);
    EXPECT_EQ(on[0].c, 1);
    const std::vector<MidiCall> raw = rx.of(MidiCall::kRaw);
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(raw[0].a, 9);
    EXPECT_EQ(raw[0].b, c.note);
    EXPECT_EQ(raw[0].c, c.velocity);
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

struct ParamCase {
  const char* name;
  NrpnNumbering numbering;
  std::vector<std::pair<int, int>> select;  // controllers 98..101
  bool registered;
  int number;
};

TEST_F(MidiParams, NumberSelectionInBothNumberings) {
  const std::vector<ParamCase> cases = {
      {"rpn standard", NrpnNumbering::standard, {{101, 0}, {100, 5}}, true, 5},
      {"rpn standard high", NrpnNumbering::standard, {{101, 3}, {100, 5}}, true, 3 * 128 + 5},
      {"rpn swapped", NrpnNumbering::swapped, {{100, 3}, {101, 5}}, true, 3 * 128 + 5},
      {"nrpn standard", NrpnNumbering::standard, {{99, 1}, {98, 5}}, false, 133},
      {"nrpn swapped", NrpnNumbering::swapped, {{98, 1}, {99, 5}}, false, 133},
      {"nrpn standard, swapped order", NrpnNumbering::standard, {{98, 1}, {99, 5}}, false, 641},
  };
  for (const ParamCase& c : cases) {
    RecordingReceiver r;
    TestMidiIn dev(&r);
    dev.set_nrpn_numbering(c.numbering);
    for (const auto& [controller, value] : c.select) dev.send(0xB4, controller, value);
    // Selection alone calls nothing.
    EXPECT_TRUE(r.of(MidiCall::kRpn).empty() && r.of(MidiCall::kNrpn).empty()) << c.name;
    EXPECT_TRUE(dev.notifications.empty()) << c.name;
    dev.send_cc(4, {{6, 3}, {38, 4}});
    const std::vector<MidiCall> calls = r.of(c.registered ? MidiCall::kRpn : MidiCall::kNrpn);
    ASSERT_EQ(calls.size(), 2u) << c.name;
    EXPECT_EQ(calls[0].ch, 4) << c.name;
    EXPECT_EQ(calls[1].a, c.number) << c.name;
    const int kind = c.registered ? 101 : 99;
    ASSERT_EQ(dev.notifications.size(), 2u) << c.name;
    EXPECT_EQ(dev.notifications[1].id, (kind << 16) + c.number) << c.name;
    if (!c.registered) {
      // Non-registered data lands in the table, high then low half.
      EXPECT_EQ(calls[0].b, 3 * 128) << c.name;
      EXPECT_EQ(calls[1].b, 3 * 128 + 4) << c.name;
      EXPECT_EQ(dev.get_channel_state(4).get_nrpn_value(c.number), 3 * 128 + 4) << c.name;
      EXPECT_EQ(dev.notifications[1].value, 3 * 128 + 4) << c.name;
    }
    EXPECT_TRUE(r.of(MidiCall::kControl).empty()) << c.name;
  }
}

TEST_F(MidiParams, NrpnBeyondTheTableAnswersZero) {
  in.send_cc(0, {{99, 20}, {98, 0}, {6, 100}});
  const std::vector<MidiCall> calls = rx.of(MidiCall::kNrpn);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].a, 2560);
  EXPECT_EQ(calls[0].b, 0);
  EXPECT_EQ(in.notifications.back(), (Notification{(99 << 16) + 2560, 0}));
}

TEST_F(MidiParams, BendRangeTwelveGivesTwelveSemitonesOfBend) {
  in.send_cc(0, {{101, 0}, {100, 0}, {6, 12}, {38, 0}});
  const std::vector<MidiCall> rpn = rx.of(MidiCall::kRpn);
  ASSERT_EQ(rpn.size(), 2u);
  EXPECT_EQ(rpn[0].a, 0);
  EXPECT_EQ(rpn[0].b, 12 * 128);
  EXPECT_EQ(rpn[1].b, 12 * 128);
  EXPECT_EQ(in.get_channel_state(0).get_bend_range(), 12.0);
  EXPECT_EQ(in.get_channel_state(0).get_bend_factor(), 12.0 / 8192.0);
  EXPECT_EQ(in.get_bend_range(), 12.0);
  EXPECT_EQ(in.get_channel_state(1).get_bend_range(), 2.0);

  struct Case {
    int lsb, msb;
    float bend;
  };
  for (const Case& c : {Case{127, 127, static_cast<float>(12.0 * 8191 / 8192)}, Case{0, 64, 0.0f},
                        Case{0, 0, -12.0f}, Case{0, 96, 6.0f}}) {
    rx.calls.clear();
    in.send(0xE0, c.lsb, c.msb);
    ASSERT_EQ(rx.of(MidiCall::kPitchBend).size(), 1u);
    EXPECT_EQ(rx.of(MidiCall::kPitchBend)[0].x, c.bend) << c.lsb << "," << c.msb;
    EXPECT_EQ(rx.of(MidiCall::kRaw)[0].a, 14);
  }
  // Fine part in hundredths: 2 semitones 75 cents.
  in.send_cc(0, {{6, 2}, {38, 75}});
  EXPECT_DOUBLE_EQ(in.get_channel_state(0).get_bend_range(), 2.75);
  in.send(0xE0, 0, 0);
  EXPECT_FLOAT_EQ(rx.of(MidiCall::kPitchBend).back().x, -2.75f);
}

TEST_F(MidiParams, TuningShiftsNotePitch) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> ccs;
    int detune_cents;
    float pitch;
    int rpn_value;
  };
  const std::vector<Case> cases = {
      {"fine +1.5", {{101, 0}, {100, 1}, {6, 65}, {38, 50}}, 0, 61.5f, 65 * 128 + 50},
      {"fine -0.75", {{101, 0}, {100, 1}, {6, 63}, {38, 25}}, 0, 59.25f, 63 * 128 + 25},
      {"coarse -2", {{101, 0}, {100, 2}, {6, 62}}, 0, 58.0f, 62},
      {"coarse ignores low half", {{101, 0}, {100, 2}, {6, 70}, {38, 99}}, 0, 66.0f, 70},
      {"host detune", {}, -30, 59.7f, -1},
  };
  for (const Case& c : cases) {
    RecordingReceiver r;
    TestMidiIn dev(&r);
    for (const auto& [controller, value] : c.ccs) dev.send(0xB0, controller, value);
    dev.send(0x90, 60, 64, c.detune_cents);
    ASSERT_EQ(r.of(MidiCall::kNoteOn).size(), 1u) << c.name;
    EXPECT_FLOAT_EQ(r.of(MidiCall::kNoteOn)[0].x, c.pitch) << c.name;
    if (c.rpn_value >= 0) {
      EXPECT_EQ(r.of(MidiCall::kRpn).back().b, c.rpn_value) << c.name;
    }
  }
}

TEST_F(MidiParams, NullNumberRestoresDefaults) {
  in.send_cc(0, {{101, 0}, {100, 0}, {6, 12}, {100, 1}, {6, 70}});
  EXPECT_EQ(in.get_channel_state(0).get_tuning(), 6.0);
  rx.calls.clear();
  in.send_cc(0, {{101, 127}, {100, 127}, {6, 0}});
  const mppi::MidiChannelState& state = in.get_channel_state(0);
  EXPECT_EQ(state.get_rpn_number(), 0);
  EXPECT_EQ(state.get_bend_range_data(), 0x100);
  EXPECT_EQ(state.get_tuning_data(), 0x2000);
  EXPECT_EQ(state.get_tuning(), 0.0);
  EXPECT_EQ(state.get_bend_range(), 2.0);
  const std::vector<MidiCall> rpn = rx.of(MidiCall::kRpn);
  ASSERT_EQ(rpn.size(), 1u);
  EXPECT_EQ(rpn[0].a, 0);
  EXPECT_EQ(rpn[0].b, 0x100);
}

TEST_F(MidiParams, ProgramChangeAddsTheSelectedBank) {
  in.send(0xC0, 7, 0);
  in.send_cc(0, {{0, 1}, {32, 2}});  // bank 130
  in.send(0xC0, 5, 0);
  in.send(0xC1, 5, 0);  // other channel: bank 0
  const std::vector<MidiCall> programs = rx.of(MidiCall::kProgram);
  ASSERT_EQ(programs.size(), 3u);
  EXPECT_EQ(programs[0].a, 7);
  EXPECT_EQ(programs[1].a, 130 * 128 + 5);
  EXPECT_EQ(programs[2].ch, 1);
  EXPECT_EQ(programs[2].a, 5);
  EXPECT_EQ(rx.of(MidiCall::kControl).size(), 2u);  // bank select is still a controller
}

TEST_F(MidiParams, ControllerNotifications) {
  in.send_cc(0, {{74, 127}, {64, 1}, {101, 0}, {100, 0}, {6, 4}, {99, 0}, {98, 9}, {38, 5}, {7, 0}});
  const std::vector<Notification> expected = {
      {74 << 16, 16256}, {64 << 16, 128}, {101 << 16, 4 * 128}, {(99 << 16) + 9, 5}, {7 << 16, 0}};
  EXPECT_EQ(in.notifications, expected);
  const std::vector<MidiCall> controls = rx.of(MidiCall::kControl);
  ASSERT_EQ(controls.size(), 3u);
  EXPECT_EQ(controls[0].a, 74);
  EXPECT_EQ(controls[0].b, 127);
  EXPECT_EQ(controls[1].a, 64);
  EXPECT_EQ(controls[2].a, 7);
  EXPECT_EQ(rx.of(MidiCall::kRaw).size(), 9u);  // every message is also passed raw
}

TEST_F(MidiParams, OnlyChannelMessagesAreHandledAndDataIsMasked) {
  for (int status : {0x00, 0x7F, 0xF0, 0xF8, 0xFF, 0x100, -0x70}) in.send(status, 60, 100);
  EXPECT_TRUE(rx.calls.empty());
  in.send(0x9A, 0xBC, 0xFF);  // data bytes keep their low 7 bits
  const std::vector<MidiCall> on = rx.of(MidiCall::kNoteOn);
  ASSERT_EQ(on.size(), 1u);
  EXPECT_EQ(on[0].ch, 10);
  EXPECT_EQ(on[0].a, 0x3C);
  EXPECT_EQ(on[0].z, 127 / 64.0f);
  EXPECT_EQ(rx.calls.front().op, MidiCall::kTimeStamp);
}

TEST_F(MidiParams, AttachResetsEverythingButThePedals) {
  in.set_bend_range(2.75f);
  EXPECT_EQ(in.get_channel_state(9).get_bend_range_data(), 2 * 128 + 75);
  in.set_bend_range(24.0f);
  EXPECT_EQ(in.get_bend_range(), 24.0);
  in.send_cc(3, {{64, 127}, {99, 0}, {98, 10}, {6, 9}, {101, 0}, {100, 1}, {6, 80}, {0, 3}});
  in.send(0xE3, 0, 0);
  in.send(0x93, 60, 1);

  RecordingReceiver other;
  in.attach(&other);
  const mppi::MidiChannelState& state = in.get_channel_state(3);
  EXPECT_EQ(state.get_channel(), 3);
  EXPECT_EQ(state.get_receiver(), &other);
  EXPECT_TRUE(state.is_sustain_down());
  EXPECT_FALSE(state.is_key_down(60));
  EXPECT_EQ(state.get_nrpn_value(10), 0);
  EXPECT_EQ(state.get_bank(), 0);
  EXPECT_EQ(state.get_bend(), 0.0);
  EXPECT_EQ(state.get_bend_range(), 2.0);
  EXPECT_EQ(state.get_tuning(), 0.0);
  EXPECT_EQ(state.get_param_kind(), mppi::MidiChannelState::kKindRpn);

  in.detach();
  EXPECT_EQ(in.get_channel_state(3).get_channel(), -1);
  in.send(0x93, 60, 100);  // detached: tracked, nobody told
  EXPECT_TRUE(other.calls.empty());
}

}  // namespace
