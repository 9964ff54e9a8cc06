#pragma once
// Mirrors the sounding notes for the editor's piano keyboard. The audio
// thread reports notes; the editor polls the changed flag on its timer and
// redraws from the note set. Lock-free: one atomic word per 32 notes.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace synth {

class MidiGuiKeyboardManager {
public:
  // Audio thread.
  void note_down(int note);
  void note_up(int note);
  void release_all();

  // Editor thread.
  bool is_note_down(int note) const;
  // Clears the changed flag and says whether it was set.
  bool test_and_clear_changed();

private:
  static constexpr int kNbrNotes = 128;

  std::array<std::atomic<uint32_t>, kNbrNotes / 32> notes_{};
  std::atomic<bool> changed_{false};
};

}  // namespace synth
