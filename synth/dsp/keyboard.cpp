#include "synth/dsp/keyboard.h"

namespace synth {

namespace {
bool is_valid_note(int note) { return note >= 0 && note < 128; }
}  // namespace

bool Keyboard::key_down(int note) {
  trigger_ = kNone;
  low_changed_ = high_changed_ = false;
  if (!is_valid_note(note) || is_held(note)) return false;
  last_key_ = note;
  held_[note >> 3] = static_cast<uint8_t>(held_[note >> 3] | (1u << (note & 7)));
  recompute_low_high();
  ++held_count_;
  if (held_count_ <= kMaxRetriggerKeys) trigger_ = kGateOn;
  return changed();
}

bool Keyboard::key_up(int note) {
  trigger_ = kNone;
  low_changed_ = high_changed_ = false;
  if (!is_valid_note(note) || !is_held(note)) return false;
  held_[note >> 3] = static_cast<uint8_t>(held_[note >> 3] & ~(1u << (note & 7)));
  recompute_low_high();
  if (held_count_ > 0) {
    --held_count_;
    if (held_count_ == 0 && trigger_ == kNone) trigger_ = kGateOff;
  }
  return changed();
}

bool Keyboard::all_keys_up() {
  low_changed_ = high_changed_ = false;
  const bool any_held = held_count_ > 0;
  for (uint8_t& byte : held_) byte = 0;
  held_count_ = 0;
  trigger_ = any_held ? kGateOff : kNone;
  return any_held;
}

void Keyboard::set_mono(bool mono) {
  mono_ = mono;
  recompute_low_high();
}

void Keyboard::recompute_low_high() {
  low_changed_ = high_changed_ = false;
  int lowest = -1;
  for (int note = 0; note < kNbrKeys && lowest < 0; ++note) {
    if (is_held(note)) lowest = note;
  }
  if (lowest < 0) return;  // released: the pitch stays where it was
  int highest = lowest;
  for (int note = kNbrKeys - 1; note > lowest; --note) {
    if (is_held(note)) {
      highest = note;
      break;
    }
  }
  int new_low = lowest;
  int new_high = highest;
  if (mono_) {
    if (lowest == highest) {
      last_key_ = lowest;
      trigger_ = kGateOn;
    }
    new_low = new_high = last_key_;
  }
  low_changed_ = new_low != low_key_;
  high_changed_ = new_high != high_key_;
  low_key_ = new_low;
  high_key_ = new_high;
}

}  // namespace synth
