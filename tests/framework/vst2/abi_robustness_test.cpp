#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "support/signal_measure.h"
#include "tests/framework/vst2/vst2_test_host.h"

using vst2_test::Instance;

namespace {

using zindle_test::all_finite;

}  // namespace

// Thousands of events in one block, many at the same position and some
// stamped past the block, plus garbage bytes.
TEST(AbiRobustness, ThousandsOfMidiEventsInOneBlock) {
  Instance plugin;
  ASSERT_NE(plugin.get(), nullptr);
  plugin.start(44100.0f, 512);
  std::mt19937 rng(5);
  std::vector<std::array<uint8_t, 3>> messages;
  for (int i = 0; i < 5000; ++i) {
    const uint8_t status = static_cast<uint8_t>(0x80 | (rng() & 0x7F));
    messages.push_back({status, static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng())});
  }
  plugin.send_midi(messages, 100);
  EXPECT_TRUE(all_finite(plugin.render(512, 512)));
  plugin.send_midi(messages, 100000);  // far beyond the block
  EXPECT_TRUE(all_finite(plugin.render(2048, 512)));
  for (int i = 0; i < 62; ++i) {
    const float v = plugin.get(i);
    EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << i;
  }
}

// Parameters and programs changed from other threads while the host's
// audio thread renders and sends MIDI, through the plug-in's entry points.
TEST(AbiRobustnessThread, ParametersAndProgramsFromOtherThreadsWhileRendering) {
  Instance plugin;
  plugin.start(44100.0f, 256);
  std::atomic<bool> stop{false};
  std::atomic<bool> finite{true};
  std::thread audio([&] {
    int note = 40;
    while (!stop.load()) {
      plugin.send_midi({{0x90, static_cast<uint8_t>(note), 100}}, 10);
      if (!all_finite(plugin.render(256, 256))) finite = false;
      plugin.send_midi({{0x80, static_cast<uint8_t>(note), 0}, {0xB0, 74, static_cast<uint8_t>(note)}}, 5);
      note = note == 80 ? 40 : note + 1;
    }
  });
  std::thread automation([&] {
    for (int i = 0; i < 4000; ++i) plugin.set((i * 5) % 62, static_cast<float>(i % 101) / 100.0f);
  });
  std::thread programs([&] {
    for (int i = 0; i < 150; ++i) {
      plugin.dispatch(effSetProgram, 0, i % 64);
      plugin.text(effGetProgramName);
      plugin.text(effGetParamDisplay, i % 62);
    }
  });
  automation.join();
  programs.join();
  stop = true;
  audio.join();
  EXPECT_TRUE(finite.load());
  for (int i = 0; i < 62; ++i) {
    const float v = plugin.get(i);
    EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << i;
  }
}
