// MIDI bytes through the input layer into the real DSP object, judged by
// the rendered audio.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/pitch_measure.h"
#include "support/signal_measure.h"
#include "support/synth_params.h"
#include "tests/framework/midi/recording_receiver.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using namespace zindle_test::synth_param;

using midi_test::TestMidiIn;
using zindle_test::DspHarness;

constexpr double kRate = 44100.0;

using zindle_test::rms;

// VCO 1 saw through a low filter, so one crossing per period.
void open_vco1(DspHarness& h) {
  h.open_vco1();
  h.change(kVcfFreq, 500.0);
}
TEST(MidiInToDsp, BendRangeAndBendMoveThePitch) {
  // The units on either side are tested alone; this checks the wiring.
  DspHarness h;
  open_vco1(h);
  TestMidiIn in(&h.dsp);
  for (const auto& [controller, value] : {std::pair{101, 0}, {100, 0}, {6, 12}, {38, 0}}) in.send(0xB0, controller, value);
  in.send(0xE0, 0, 0);
  in.send(0x90, 69, 100);
  h.render(static_cast<int>(kRate));
  EXPECT_NEAR(zindle_test::zero_crossing_frequency(h.left, kRate, 13230), 220.0, 220.0 * 2e-3);
}

TEST(MidiInToDsp, SustainKeepsTheVoiceUntilLifted) {
  DspHarness h;
  open_vco1(h);
  h.change(kVcaGain, 0.0);
  h.change(kVcaEnvLvl, 1.0);
  h.change(kArAtkTime, 0.01);
  h.change(kArRelTime, 0.02);
  TestMidiIn in(&h.dsp);

  in.send(0xB0, 64, 127);
  in.send(0x90, 57, 100);
  h.render(4410);
  in.send(0x80, 57, 0);
  h.render(8820);
  EXPECT_GT(rms(h.left), 0.1);  // still sounding 200 ms after the key went up

  in.send(0xB0, 64, 0);
  h.render(8820);
  const std::vector<float> after(h.left.begin() + 4410, h.left.end());
  EXPECT_EQ(rms(after), 0.0);  // released and silent
}

}  // namespace
