#include "framework/midi_devices/vst2_midi_out.h"

#include "framework/midi_devices/midi_event_sender_interface.h"

namespace mppi {

int Vst2MidiOut::open() {
  while (busy_.test_and_set(std::memory_order_acquire)) {
  }
  counts_[static_cast<size_t>(current_)] = 0;
  busy_.clear(std::memory_order_release);
  enabled_.store(true);
  return 0;
}

int Vst2MidiOut::close() {
  enabled_.store(false);
  return 0;
}

int Vst2MidiOut::send_packet(uint32_t packet) {
  if (busy_.test_and_set(std::memory_order_acquire)) {
    dropped_.fetch_add(1, std::memory_order_relaxed);
    return -1;
  }
  int& count = counts_[static_cast<size_t>(current_)];
  if (!enabled_.load() || count >= kListSize) {
    busy_.clear(std::memory_order_release);
    dropped_.fetch_add(1, std::memory_order_relaxed);
    return -1;
  }
  MidiTimedEvent& event = lists_[static_cast<size_t>(current_)][static_cast<size_t>(count)];
  event.offset = 0;
  event.detune_cents = 0;
  for (int i = 0; i < 4; ++i) event.bytes[i] = static_cast<uint8_t>(packet >> (8 * i));
  ++count;
  busy_.clear(std::memory_order_release);
  return 0;
}

int Vst2MidiOut::flush() {
  if (busy_.test_and_set(std::memory_order_acquire)) return 0;
  const size_t list = static_cast<size_t>(current_);
  int rc = 0;
  if (enabled_.load() && counts_[list] > 0) {
    rc = sender_ != nullptr ? sender_->send_events(lists_[list].data(), counts_[list]) : 0;
    current_ = 1 - current_;
    counts_[static_cast<size_t>(current_)] = 0;
  }
  busy_.clear(std::memory_order_release);
  return rc;
}

}  // namespace mppi
