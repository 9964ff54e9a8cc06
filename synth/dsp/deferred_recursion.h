#pragma once
// The recursive half of a second-order section, y = x - a1 y1 - a2 y2, left
// to run later over a buffer of its inputs. Alone, that recursion waits on
// its own previous output every sample; a stage whose output nobody reads in
// a run hands it on, so that a loop with recursions of its own runs it
// alongside them. The arithmetic and its order are those of the section.

namespace synth {

struct DeferredRecursion {
  float a1 = 0.0f;
  float a2 = 0.0f;
  float y1 = 0.0f;
  float y2 = 0.0f;
  float* buffer = nullptr;  // inputs on entry, outputs once run
  int count = 0;
  int done = 0;

  bool is_pending() const { return done < count; }

  float tick(float x) {
    const float y = x - a1 * y1 - a2 * y2;
    y2 = y1;
    y1 = y;
    return y;
  }

  void run_to_end() {
    for (; done < count; ++done) buffer[done] = tick(buffer[done]);
  }
};

}  // namespace synth
