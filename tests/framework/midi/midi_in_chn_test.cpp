// Saving and loading the channel states (bytes and settings text). Random
// input is the job of the MIDI input fuzz target.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "basic/conf_key_multi.h"
#include "tests/framework/midi/recording_receiver.h"

namespace {

using midi_test::MidiCall;
using midi_test::RecordingReceiver;
using midi_test::TestMidiIn;

std::vector<uint8_t> bytes_of(const mppi::MidiInChn& in) {
  std::vector<uint8_t> out(static_cast<size_t>(in.get_size()));
  EXPECT_EQ(in.write(out.data()), 0);
  return out;
}

// Channel 5 with every saved field away from its start value.
void shape_channel_5(TestMidiIn& in) {
  in.send_cc(5, {{0, 3}, {64, 127}, {99, 1}, {98, 2}, {101, 0}, {100, 0}, {6, 12}, {100, 1},
                 {6, 65}, {38, 0}});
  in.send(0xC5, 9, 0);
  in.send(0xE5, 0, 96);  // half way up
}

TEST(MidiInChnState, LoadRefusesAndClamps) {
  RecordingReceiver rx;
  TestMidiIn source(&rx);
  shape_channel_5(source);
  const std::vector<uint8_t> good = bytes_of(source);

  TestMidiIn target(&rx);
  const std::vector<uint8_t> before = bytes_of(target);
  std::vector<uint8_t> bad = good;
  bad[4 + 15 * 28 + 3] = 0;  // last record: version 0
  EXPECT_EQ(target.read(bad.data(), static_cast<int>(bad.size())), mppi::MidiInChn::kErrVersion);
  EXPECT_EQ(target.read(good.data(), 451), mppi::MidiInChn::kErrTooShort);
  // Settings text cut short or not hexadecimal: refused, nothing pending.
  basic::ConfKeyMulti section("port_in");
  ASSERT_EQ(source.write_settings(section), 0);
  const std::string text = section.get_string(mppi::MidiInChn::kSettingKey);
  for (const std::string& broken : {text.substr(1), "0G" + text.substr(2)}) {
    section.set_string(mppi::MidiInChn::kSettingKey, broken);
    EXPECT_LT(target.read_settings(section), 0);
  }
  target.apply_pending_state();
  EXPECT_EQ(bytes_of(target), before);

  // Out-of-range words are clamped to 14 bits, a broken bend becomes 0, and
  // the channel number of the slot wins over the stored one.
  std::vector<uint8_t> wild = good;
  uint8_t* r = wild.data() + 4 + 5 * 28;
  for (int offset : {4, 5, 6, 7, 12, 13, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27}) r[offset] = 0xFF;
  ASSERT_EQ(target.read(wild.data(), static_cast<int>(wild.size())), 0);
  const mppi::MidiChannelState& state = target.get_channel_state(5);
  EXPECT_EQ(state.get_channel(), 5);
  EXPECT_EQ(state.get_tuning_data(), 16383);
  EXPECT_DOUBLE_EQ(state.get_bend_range(), 127 + 1.27);
  EXPECT_EQ(state.get_bend(), 0.0);  // 0xFFFFFFFF is a NaN
}

TEST(MidiInChnState, LoadingReleasesKeysAPedalNoLongerHolds) {
  RecordingReceiver rx;
  TestMidiIn source(&rx);
  const std::vector<uint8_t> pedals_up = bytes_of(source);

  TestMidiIn target(&rx);
  target.send_cc(0, {{64, 127}});
  target.send(0x90, 60, 100);
  target.send(0x80, 60, 0);
  ASSERT_TRUE(rx.of(MidiCall::kNoteOff).empty());
  ASSERT_EQ(target.read(pedals_up.data(), static_cast<int>(pedals_up.size())), 0);
  ASSERT_EQ(rx.of(MidiCall::kNoteOff).size(), 1u);
  EXPECT_EQ(rx.of(MidiCall::kNoteOff)[0].a, 60);
}

}  // namespace

// Settings loaded on one thread while another plays through the channels:
// the image is taken over between messages, never in the middle of one.
TEST(MidiInChnThread, SettingsLoadWhileMessagesFlow) {
  RecordingReceiver rx;
  TestMidiIn source(&rx);
  shape_channel_5(source);
  basic::ConfKeyMulti section("port_in");
  ASSERT_EQ(source.write_settings(section), 0);

  RecordingReceiver sink;
  TestMidiIn target(&sink);
  std::atomic<bool> stop{false};
  std::thread player([&] {
    mppi::MidiCcNotification cc;
    int n = 0;
    while (!stop.load()) {
      target.handle_message(0x90 | (n % 16), 60 + n % 12, 100, 0, cc);
      target.handle_message(0x80 | (n % 16), 60 + n % 12, 0, 0, cc);
      ++n;
    }
  });
  for (int i = 0; i < 200; ++i) ASSERT_EQ(target.read_settings(section), 0);
  stop = true;
  player.join();
  target.apply_pending_state();
  EXPECT_DOUBLE_EQ(target.get_channel_state(5).get_bend_range(), source.get_channel_state(5).get_bend_range());
}
