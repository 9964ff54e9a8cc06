#include "synth/plugin/midi_gui_keyboard_manager.h"

namespace synth {

namespace {
bool is_valid(int note) { return note >= 0 && note < 128; }
uint32_t bit_of(int note) { return 1u << (note & 31); }
}  // namespace

void MidiGuiKeyboardManager::note_down(int note) {
  if (!is_valid(note)) return;
  notes_[static_cast<std::size_t>(note >> 5)].fetch_or(bit_of(note), std::memory_order_relaxed);
  changed_.store(true, std::memory_order_release);
}

void MidiGuiKeyboardManager::note_up(int note) {
  if (!is_valid(note)) return;
  notes_[static_cast<std::size_t>(note >> 5)].fetch_and(~bit_of(note), std::memory_order_relaxed);
  changed_.store(true, std::memory_order_release);
}

void MidiGuiKeyboardManager::release_all() {
  for (auto& word : notes_) word.store(0, std::memory_order_relaxed);
  changed_.store(true, std::memory_order_release);
}

bool MidiGuiKeyboardManager::is_note_down(int note) const {
  if (!is_valid(note)) return false;
  return (notes_[static_cast<std::size_t>(note >> 5)].load(std::memory_order_relaxed) & bit_of(note)) != 0;
}

bool MidiGuiKeyboardManager::test_and_clear_changed() {
  return changed_.exchange(false, std::memory_order_acquire);
}

}  // namespace synth
