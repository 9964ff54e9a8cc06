#pragma once
// Duophonic key assignment: the lowest held key plays on VCO 1 and the
// highest on VCO 2; in mono mode both follow the most recent key.

#include <cstdint>

namespace synth {

class Keyboard {
public:
  enum Trigger { kNone = 0, kGateOn = 1, kGateOff = 2 };

  // Both return whether the voice must react (pitch or gate changed).
  bool key_down(int note);
  bool key_up(int note);
  // Returns whether any key was held.
  bool all_keys_up();
  void set_mono(bool mono);

  int get_low_key() const { return low_key_; }
  int get_high_key() const { return high_key_; }
  int get_last_key() const { return last_key_; }
  int get_trigger() const { return trigger_; }
  bool is_any_key_held() const { return held_count_ > 0; }
  bool is_mono() const { return mono_; }

private:
  static constexpr int kNbrKeys = 128;
  // Keys beyond the fourth held one no longer retrigger.
  static constexpr int kMaxRetriggerKeys = 4;

  bool is_held(int note) const { return (held_[note >> 3] >> (note & 7)) & 1u; }
  void recompute_low_high();
  bool changed() const { return low_changed_ || high_changed_ || trigger_ != kNone; }

  uint8_t held_[kNbrKeys / 8] = {};
  int held_count_ = 0;
  int low_key_ = 57;
  int high_key_ = 57;
  int last_key_ = 57;
  int trigger_ = kNone;
  bool low_changed_ = false;
  bool high_changed_ = false;
  bool mono_ = false;
};

}  // namespace synth
