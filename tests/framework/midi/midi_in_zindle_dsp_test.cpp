// MIDI bytes through the input layer into the real DSP object, judged by
// the rendered audio. Bend and bend range reach the DSP object by calls the
// channel-state and DSP tests check on either side.

#include <gtest/gtest.h>

#include <vector>

#include "support/signal_measure.h"
#include "support/synth_params.h"
#include "tests/framework/midi/recording_receiver.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using namespace zindle_test::synth_param;

using midi_test::TestMidiIn;
using zindle_test::DspHarness;
using zindle_test::rms;

TEST(MidiInToDsp, SustainKeepsTheVoiceUntilLifted) {
  DspHarness h;
  h.open_vco1();
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
