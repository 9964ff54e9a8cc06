#pragma once
// MIDI from a system input port. The system's MIDI thread only pushes
// messages into a lock-free ring; the audio thread drains it with poll()
// before rendering. A full ring drops the message and counts it.
// ("Mci" names the system's multimedia MIDI ports: the Windows multimedia
// API on Windows, the ALSA sequencer on Linux.)

#include <atomic>
#include <cstdint>
#include <string>

#include "basic/lock_free_ring_fifo.h"
#include "framework/midi_devices/midi_in_cc_mixin.h"
#include "sys/midi/midi_ports.h"

namespace mppi {

class MidiDevLinkInterface;

class MciMidiIn : public MidiInCcMixin {
public:
  struct Event {
    int32_t status = 0;  // each byte 0..255
    int32_t data1 = 0;
    int32_t data2 = 0;
    uint32_t time_ms = 0;  // the system's clock, kept for diagnosis only
  };
  static constexpr int kNbrSlots = 4000;
  using Fifo = basic::LockFreeRingFifo<Event, kNbrSlots>;

  MciMidiIn(int port_index, const std::string& client_name);
  ~MciMidiIn() override;

  // Editor thread, before attaching.
  void set_link(MidiDevLinkInterface* link) { link_.store(link); }

  // Editor thread. 0, or -1 when the port could not be opened or closed.
  int open() override;
  int close() override;
  int is_active() const override { return port_.is_open() ? 1 : 0; }
  // Audio thread: every waiting message, stamped at the block start.
  int poll() override;
  int notify_controller(int id, int value) override;

  // System MIDI thread: one short message, status | data1 << 8 | data2 << 16.
  void receive_short_message(uint32_t message, uint32_t time_ms);

  uint32_t get_nbr_dropped() const { return dropped_.load(); }

private:
  static void on_system_message(void* context, uint32_t message, uint32_t time_ms);

  sys::MidiInPort port_;
  int port_index_;
  Fifo fifo_;
  std::atomic<uint32_t> dropped_{0};
  std::atomic<MidiDevLinkInterface*> link_{nullptr};
};

}  // namespace mppi
