#pragma once
// Mirrors the sounding notes for the editor's piano keyboard. The audio
// thread reports notes; the editor polls the changed flag on its timer and
// redraws from the note set. Lock-free: one atomic word per 32 notes.
// The other way, keys played on the editor's keyboard wait in a lock-free
// queue until the audio thread plays them, so that the synth's event queue
// is only ever touched by the audio thread.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "basic/lock_free_ring_fifo.h"

namespace synth {

class MidiGuiKeyboardManager {
public:
  // One note-on or note-off call, as the editor makes it.
  struct ScreenKey {
    bool down = false;
    int channel = 0;
    int note = 0;
    float pitch = 0.0f;
    float value = 0.0f;
    float velocity = 0.0f;
    int flag = 0;
  };

  // Audio thread.
  void note_down(int note);
  void note_up(int note);
  void release_all();

  // Editor thread.
  bool is_note_down(int note) const;
  // Clears the changed flag and says whether it was set.
  bool test_and_clear_changed();
  // False when the queue is full: the key is dropped.
  bool push_screen_key(const ScreenKey& key) { return screen_keys_.push(key); }

  // Audio thread: the next key played on the editor's keyboard.
  bool pop_screen_key(ScreenKey& key) { return screen_keys_.pop(key); }

private:
  static constexpr int kNbrNotes = 128;
  static constexpr int kScreenKeySlots = 256;

  basic::LockFreeRingFifo<ScreenKey, kScreenKeySlots> screen_keys_;

  std::array<std::atomic<uint32_t>, kNbrNotes / 32> notes_{};
  std::atomic<bool> changed_{false};
};

}  // namespace synth
