#include "framework/midi_devices/mci_midi_in.h"

#include "framework/midi_devices/midi_dev_link_interface.h"

namespace mppi {

MciMidiIn::MciMidiIn(int port_index, const std::string& client_name)
    : port_(client_name), port_index_(port_index) {}

MciMidiIn::~MciMidiIn() { port_.close(); }

int MciMidiIn::open() {
  if (port_.close() != 0) return -1;
  return port_.open(port_index_, &MciMidiIn::on_system_message, this) == 0 ? 0 : -1;
}

int MciMidiIn::close() { return port_.close() == 0 ? 0 : -1; }

void MciMidiIn::on_system_message(void* context, uint32_t message, uint32_t time_ms) {
  static_cast<MciMidiIn*>(context)->receive_short_message(message, time_ms);
}

void MciMidiIn::receive_short_message(uint32_t message, uint32_t time_ms) {
  Event event;
  event.status = static_cast<int32_t>(message & 0xff);
  event.data1 = static_cast<int32_t>((message >> 8) & 0xff);
  event.data2 = static_cast<int32_t>((message >> 16) & 0xff);
  event.time_ms = time_ms;
  if (!fifo_.push(event)) dropped_.fetch_add(1, std::memory_order_relaxed);
}

int MciMidiIn::poll() {
  apply_pending_state();
  int handled = 0;
  Event event;
  while (fifo_.pop(event)) {
    // receive_message drops statuses outside 0x80..0xEF and masks data bytes.
    receive_message(0, event.status, event.data1, event.data2, 0);
    ++handled;
  }
  return handled;
}

int MciMidiIn::notify_controller(int id, int value) {
  MidiDevLinkInterface* link = link_.load();
  return link != nullptr ? link->notify_controller(id, value) : 0;
}

}  // namespace mppi
