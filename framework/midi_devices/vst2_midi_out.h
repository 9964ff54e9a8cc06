#pragma once
// MIDI to the host: packets collect in one of two lists of 1024 events
// during the block; the flush after rendering hands the list to the host
// and switches to the other, so the host may read the list it got until the
// next flush.

#include <array>
#include <atomic>
#include <cstdint>

#include "framework/midi_devices/midi_out_4b_packet_mixin.h"
#include "framework/midi_devices/midi_timed_event.h"

namespace mppi {

class MidiEventSenderInterface;

class Vst2MidiOut : public MidiOut4BPacketMixin {
public:
  static constexpr int kListSize = 1024;

  Vst2MidiOut() = default;
  ~Vst2MidiOut() override = default;

  // Set-up: the host adapter's event-sending call.
  void set_sender(MidiEventSenderInterface* sender) { sender_ = sender; }

  // Opening empties the current list, so nothing stale reaches the host.
  int open() override;
  int close() override;
  int is_active() const override { return enabled_.load() ? 1 : 0; }

  // --- Audio thread, after rendering -----------------------------------------
  // Hands the current list to the host when enabled and not empty.
  // 0, or the sender's error code.
  //
  // Packets come from the audio thread (MIDI through) and from the editor
  // and host threads (controller feedback of program changes and edits).
  // The list is guarded by a flag that nobody waits on: a packet that meets
  // a flush in progress is dropped and counted, and a flush that meets a
  // packet being written leaves the list for the next block.
  int flush();

  int get_nbr_pending() const { return counts_[static_cast<size_t>(current_)]; }
  uint32_t get_nbr_dropped() const { return dropped_.load(); }

protected:
  // Refused while disabled and when the list is full.
  int send_packet(uint32_t packet) override;

private:
  using List = std::array<MidiTimedEvent, kListSize>;

  std::array<List, 2> lists_{};
  std::array<int, 2> counts_{};
  int current_ = 0;
  std::atomic_flag busy_ = ATOMIC_FLAG_INIT;
  std::atomic<bool> enabled_{false};
  std::atomic<uint32_t> dropped_{0};
  MidiEventSenderInterface* sender_ = nullptr;
};

}  // namespace mppi
