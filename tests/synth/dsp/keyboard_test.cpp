#include "synth/dsp/keyboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum Action { kDown, kUp, kAllUp, kMono };

struct Step {
  Action action;
  int note;  // kMono: 1 on, 0 off
  bool result;
  int low;
  int high;
  int trigger;
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

bool apply(synth::Keyboard& kb, const Step& step) {
  switch (step.action) {
    case kDown: return kb.key_down(step.note);
    case kUp: return kb.key_up(step.note);
    case kAllUp: return kb.all_keys_up();
    case kMono: kb.set_mono(step.note != 0); return true;
  }
  return false;
}

TEST(Keyboard, AssignsLowestAndHighestKeys) {
  const Scenario scenarios[] = {
      {"duo: 60 then 64, release 60, release 64",
       {{kDown, 60, true, 60, 60, 1},
        {kDown, 64, true, 60, 64, 1},
        {kUp, 60, true, 64, 64, 0},    // no retrigger
        {kUp, 64, true, 64, 64, 2}}},  // pitches stay, gate off
      {"mono: 60 then 64, release 64 retriggers 60",
       {{kMono, 1, true, 57, 57, 0},
        {kDown, 60, true, 60, 60, 1},
        {kDown, 64, true, 64, 64, 1},
        {kUp, 64, true, 60, 60, 1},
        {kUp, 60, true, 60, 60, 2}}},
      {"five keys: the fifth does not retrigger",
       {{kDown, 40, true, 40, 40, 1},
        {kDown, 50, true, 40, 50, 1},
        {kDown, 45, true, 40, 50, 1},
        {kDown, 48, true, 40, 50, 1},
        {kDown, 47, false, 40, 50, 0},
        {kDown, 30, true, 30, 50, 0}}},
      {"repeated key changes nothing",
       {{kDown, 60, true, 60, 60, 1},
        {kDown, 60, false, 60, 60, 0},
        {kUp, 61, false, 60, 60, 0}}},
      {"all keys up",
       {{kAllUp, 0, false, 57, 57, 0},
        {kDown, 60, true, 60, 60, 1},
        {kDown, 72, true, 60, 72, 1},
        {kAllUp, 0, true, 60, 72, 2},
        {kAllUp, 0, false, 60, 72, 0},
        {kDown, 65, true, 65, 65, 1}}},
      {"out-of-range notes are ignored",
       {{kDown, 128, false, 57, 57, 0}, {kDown, -1, false, 57, 57, 0}, {kUp, 200, false, 57, 57, 0}}},
  };
  for (const Scenario& s : scenarios) {
    synth::Keyboard kb;
    int index = 0;
    for (const Step& step : s.steps) {
      const bool result = apply(kb, step);
      EXPECT_EQ(kb.get_low_key(), step.low) << s.name << " step " << index;
      EXPECT_EQ(kb.get_high_key(), step.high) << s.name << " step " << index;
      if (step.action != kMono) {
        EXPECT_EQ(result, step.result) << s.name << " step " << index;
        EXPECT_EQ(kb.get_trigger(), step.trigger) << s.name << " step " << index;
      }
      ++index;
    }
  }
}

}  // namespace
