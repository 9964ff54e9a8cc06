#pragma once
// The gain ramp around a program change. Settings of a new program meet the
// filter and envelope state that the old one left behind, which can ring far
// louder than either program; so the voice fades out on the old settings,
// is cleared, takes the new settings and fades in. The request may come from
// any thread; everything else runs on the audio thread.

#include <atomic>

namespace synth {

class ProgramChangeFade {
public:
  static constexpr double kFadeSeconds = 0.005;  // each way

  void set_sample_rate(double rate);

  // Any thread, before the new program's values are written.
  void request() { requested_.store(true, std::memory_order_release); }

  // --- Audio thread ----------------------------------------------------------
  // Takes a pending request; true if there was one.
  bool take_request();
  // Starts fading out from wherever the gain stands.
  void fade_out();
  void fade_in() { direction_ = 1; }
  // No fade, no request: full gain at once.
  void clear();

  // While fading out the old settings stay and events wait.
  bool is_fading_out() const { return direction_ < 0; }
  int samples_to_silence() const { return level_; }
  bool is_muted() const { return level_ == 0; }
  // Scales count samples by the ramp and moves it; nothing while steady.
  void apply(float* buf, int count) {
    if (direction_ != 0) ramp(buf, count);
  }

private:
  void ramp(float* buf, int count);

  std::atomic<bool> requested_{false};
  int length_ = 220;  // samples per fade
  int level_ = 220;   // gain = level_ / length_
  int direction_ = 0;
};

}  // namespace synth
