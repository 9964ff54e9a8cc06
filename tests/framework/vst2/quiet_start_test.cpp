// An instance that nobody asks for system MIDI ports prints nothing: on a
// machine without an ALSA sequencer, merely opening it used to make the
// library complain on the host's standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/stderr_capture.h"
#include "vst2_test_host.h"

TEST(QuietStart, AnInstanceLivesAndDiesWithoutPrinting) {
  // With the debug output on, even a message routed to it would show: the
  // start must not touch the system's MIDI at all.
  const char* debug_settings[] = {nullptr, "1"};
  for (const char* debug : debug_settings) {
    const test_support::ScopedEnv env("ZINDLE_DEBUG", debug);
    test_support::StderrCapture capture;
    float peak = 0.0f;
    {
      vst2_test::Instance plugin;
      ASSERT_NE(plugin.get(), nullptr);
      plugin.start(44100.0f, 256);
      plugin.send_midi({{0x90, 60, 100}});
      for (float v : plugin.render(4096, 256)) peak = std::max(peak, std::abs(v));
      plugin.dispatch(effMainsChanged, 0, 0);
    }
    const std::string printed = capture.finish();
    EXPECT_EQ(printed, "") << "ZINDLE_DEBUG=" << (debug != nullptr ? debug : "(unset)");
    EXPECT_GT(peak, 0.01f);  // it did play
  }
}
