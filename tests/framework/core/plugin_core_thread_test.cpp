#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "sys/tick.h"

#include "framework/core/bkg_thread.h"
#include "framework/core/plugin_core_fixture.h"
#include "synth/plugin/zindle_dsp.h"

// Host automation, editor changes and program changes from three threads,
// rendering on a fourth and gesture closing on the background thread. Run
// under ThreadSanitizer this proves the shared paths race-free; in any
// build it checks that the values stay in range and brackets balance.
TEST(PluginCoreThread, ChangesFromThreeThreadsWhileRendering) {
  zindle_test::CoreRig<synth::ZindleDsp> rig;  // the real engine reads the values while they change
  rig.core.set_clock(&sys::get_tick_seconds);
  zindle_test::GestureTask task(rig.core);
  mppi::BkgThreadWin32 background;
  background.set_handler(&task);
  ASSERT_EQ(background.start(), 0);

  std::atomic<bool> stop{false};
  std::thread audio([&] {
    std::vector<float> left(512), right(512);
    float* outs[2] = {left.data(), right.data()};
    int note = 48;
    while (!stop.load()) {
      rig.dsp.set_time_stamp(10);
      rig.dsp.note_on(0, note, static_cast<float>(note), 0.0f, 1.0f, 1);
      rig.core.consume_published_bank();
      rig.dsp.process_replacing(outs, nullptr, 512, nullptr);
      // A MIDI controller applied on the audio thread.
      rig.core.set_param(53, static_cast<float>(note % 12) / 12.0f, 125);
      rig.dsp.note_off(0, note, 0.5f);
      note = note == 72 ? 48 : note + 1;
    }
  });
  std::thread host([&] {
    for (int i = 0; i < 3000; ++i) rig.core.set_param((i * 7) % 62, (i % 100) / 100.0f, 100);
  });
  std::thread editor([&] {
    for (int i = 0; i < 3000; ++i) rig.core.set_param_and_notify((i * 3) % 62, (i % 10) / 10.0f, 200);
  });
  std::thread programs([&] {
    for (int i = 0; i < 200; ++i) {
      rig.core.select_program(i % 4);
      if (i % 10 == 0) rig.core.publish_bank(rig.bank);
      std::vector<uint8_t> chunk;
      rig.core.get_chunk(i % 2 == 0, chunk);
    }
  });
  host.join();
  editor.join();
  programs.join();
  stop = true;
  audio.join();
  background.stop();
  rig.core.set_clock([] { return 1e6; });  // long after every change
  rig.core.close_gestures();

  for (int i = 0; i < 62; ++i) {
    const float v = rig.dsp.get_param(i)->nrm();
    EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << i;
    EXPECT_TRUE(rig.core.is_gesture_closed(i)) << i;
  }
  EXPECT_EQ(rig.host.count(zindle_test::HostEvent::Begin), rig.host.count(zindle_test::HostEvent::End));
}
