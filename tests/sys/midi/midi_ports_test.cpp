#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/stderr_capture.h"
#include "sys/midi/midi_ports.h"

namespace {

// 1: the sequencer lists at least our own port; 0: a build without system
// ports lists none; -1: ALSA is there and fails to open the sequencer.
int system_ports() {
  std::vector<std::string> names;
  if (sys::list_midi_outputs("Zindle-BR probe", names) != 0) return -1;
  return names.empty() ? 0 : 1;
}

struct Received {
  std::atomic<int> count{0};
  std::atomic<uint32_t> messages[8]{};
};

void record(void* context, uint32_t message, uint32_t /*time_ms*/) {
  auto* received = static_cast<Received*>(context);
  const int n = received->count.load();
  if (n < 8) received->messages[n].store(message);
  received->count.store(n + 1);
}

}  // namespace

TEST(MidiPorts, MessageLengthFollowsTheStatusByte) {
  const std::pair<int, int> cases[] = {{0x7f, 0}, {0x80, 3}, {0xa0, 3}, {0xb5, 3}, {0xc0, 2}, {0xdf, 2}, {0xe0, 3},
                                       {0xf0, 0}, {0xf1, 2}, {0xf2, 3}, {0xf3, 2}, {0xf6, 1}, {0xf7, 0},
                                       {0xf8, 1}, {0xff, 1}, {0x100, 0}, {-1, 0}};
  for (const auto& [status, length] : cases) EXPECT_EQ(sys::midi_message_length(status), length) << status;
}

TEST(MidiPorts, UnusablePortsFailCleanly) {
  sys::MidiInPort in("Zindle-BR");
  Received received;
  EXPECT_EQ(in.open(-1, &record, &received), -1);
  EXPECT_FALSE(in.is_open());
  EXPECT_EQ(in.close(), 0);
  sys::MidiOutPort out("Zindle-BR");
  EXPECT_EQ(out.send(0x403c90), -1);  // not open
  EXPECT_EQ(out.open(100000), -1);
  EXPECT_FALSE(out.is_open());
}

TEST(MidiPortsAlsa, NotesSentToOurPortArrive) {
  if (system_ports() != 1) GTEST_SKIP() << "no ALSA sequencer here (/dev/snd/seq missing); load snd-seq to run";
  sys::MidiInPort in("Zindle-BR");
  Received received;
  ASSERT_EQ(in.open(0, &record, &received), 0);

  // Our input port is one of the outputs another client can reach.
  std::vector<std::string> outputs;
  ASSERT_EQ(sys::list_midi_outputs("Zindle-BR test", outputs), 0);
  int target = -1;
  for (size_t i = 1; i < outputs.size(); ++i) {
    if (outputs[i] == "Zindle-BR:Zindle-BR") target = static_cast<int>(i);
  }
  ASSERT_GT(target, 0);
  sys::MidiOutPort out("Zindle-BR test");
  ASSERT_EQ(out.open(target), 0);
  // Note on 60 velocity 100, its note off, controller 74 = 13 on channel 4.
  const uint32_t sent[] = {0x00643c90, 0x00003c80, 0x000d4ab3};
  for (uint32_t message : sent) ASSERT_EQ(out.send(message), 0);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (received.count.load() < 3 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(in.close(), 0);
  ASSERT_EQ(received.count.load(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(received.messages[i].load(), sent[i]);
}

// The system's complaints (here: no /dev/snd/seq) reach the user only
// through our debug output, never straight on the host's standard error.
TEST(MidiPortsAlsa, SystemMessagesGoToTheDebugOutputOnly) {
  if (system_ports() != -1) GTEST_SKIP() << "needs ALSA without a sequencer (/dev/snd/seq missing)";
  for (const char* debug : {static_cast<const char*>(nullptr), "1"}) {
    const test_support::ScopedEnv debug_output("ZINDLE_DEBUG", debug);
    test_support::StderrCapture capture;
    std::vector<std::string> names;
    const int in_rc = sys::list_midi_inputs("Zindle-BR", names);
    sys::MidiInPort in("Zindle-BR");
    Received received;
    const int open_in_rc = in.open(0, &record, &received);
    const int open_out_rc = sys::MidiOutPort("Zindle-BR").open(0);
    const std::string printed = capture.finish();

    EXPECT_EQ(in_rc, -1);
    EXPECT_EQ(open_in_rc, -1);
    EXPECT_EQ(open_out_rc, -1);
    if (debug != nullptr) {
      EXPECT_NE(printed.find("ALSA seq_hw.c"), std::string::npos) << printed;
      EXPECT_NE(printed.find("/dev/snd/seq"), std::string::npos) << printed;
      EXPECT_EQ(printed.find("ALSA lib"), std::string::npos) << printed;  // ALSA's own printing
    } else {
      EXPECT_EQ(printed, "");
    }
  }
}
