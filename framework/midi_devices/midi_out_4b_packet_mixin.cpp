#include "framework/midi_devices/midi_out_4b_packet_mixin.h"

namespace mppi {

namespace {

uint32_t pack(int status, int data1, int data2) {
  return static_cast<uint32_t>(status & 0xff) | static_cast<uint32_t>(data1 & 0x7f) << 8 |
         static_cast<uint32_t>(data2 & 0x7f) << 16;
}

int controller_status(int ch) { return 0xb0 | (ch & 15); }

}  // namespace

int32_t MidiOut4BPacketMixin::send_cc(int ch, int controller, int value) {
  return send_packet(pack(controller_status(ch), controller, value)) == 0 ? 0 : -1;
}

int32_t MidiOut4BPacketMixin::program_change(int ch, int program) {
  if (send_cc(ch, 0, (program >> 7) & 127) != 0) return -1;
  if (send_cc(ch, 32, (program >> 14) & 127) != 0) return -1;
  return send_packet(pack(0xc0 | (ch & 15), program & 127, 0)) == 0 ? 0 : -1;
}

int32_t MidiOut4BPacketMixin::send_parameter(int ch, int high_cc, int low_cc, int number,
                                              int value) {
  // The swapped numbering sends the high bits on the other controller.
  if (numbering_.load() == NrpnNumbering::swapped) {
    const int swap = high_cc;
    high_cc = low_cc;
    low_cc = swap;
  }
  if (send_cc(ch, high_cc, number >> 7) != 0) return -1;
  if (send_cc(ch, low_cc, number & 127) != 0) return -1;
  if (send_cc(ch, 6, value >> 7) != 0) return -1;
  return send_cc(ch, 38, value & 127);
}

int32_t MidiOut4BPacketMixin::rpn(int ch, int number, int value) {
  return send_parameter(ch, 101, 100, number, value);
}

int32_t MidiOut4BPacketMixin::nrpn(int ch, int number, int value) {
  return send_parameter(ch, 99, 98, number, value);
}

int32_t MidiOut4BPacketMixin::channel_message(int ch, int status, int data1, int data2) {
  return send_packet(pack((status & 15) * 16 + (ch & 15), data1, data2)) == 0 ? 0 : -1;
}

int32_t MidiOut4BPacketMixin::send_byte(int byte) {
  return send_packet(pack(byte, 0, 0)) == 0 ? 0 : -1;
}

int32_t MidiOut4BPacketMixin::send_short(int status, int data1, int data2) {
  return send_packet(pack(status, data1, data2)) == 0 ? 0 : -1;
}

}  // namespace mppi
