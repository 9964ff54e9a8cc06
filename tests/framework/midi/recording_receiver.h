#pragma once
// A MIDI receiver that records every call, and an input device around
// MidiInChn that records controller notifications.

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "framework/midi/midi_receiver_interface.h"
#include "framework/midi_devices/midi_in_cc_mixin.h"

namespace midi_test {

struct MidiCall {
  enum Op { kTimeStamp, kNoteOn, kNoteOff, kKeyPressure, kPitchBend, kProgram, kRpn, kNrpn, kControl, kRaw };
  Op op;
  int ch = 0;
  int a = 0;       // note, number, controller, status, program or offset
  int b = 0;       // value or data 1
  int c = 0;       // data 2 or flag
  float x = 0.0f;  // pitch, velocity, pressure or bend
  float z = 0.0f;  // velocity (note on)
};

class RecordingReceiver : public mppi::MidiReceiverInterface {
public:
  int32_t set_time_stamp(long offset) override { return add({MidiCall::kTimeStamp, 0, static_cast<int>(offset)}); }
  int32_t note_on(int ch, int note, float pitch, float, float velocity, int flag) override {
    return add({MidiCall::kNoteOn, ch, note, 0, flag, pitch, velocity});
  }
  int32_t note_off(int ch, int note, float velocity) override {
    return add({MidiCall::kNoteOff, ch, note, 0, 0, velocity});
  }
  int32_t key_pressure(int ch, int note, float pressure) override {
    return add({MidiCall::kKeyPressure, ch, note, 0, 0, pressure});
  }
  int32_t pitch_bend(int ch, float bend) override { return add({MidiCall::kPitchBend, ch, 0, 0, 0, bend}); }
  int32_t program_change(int ch, int program) override { return add({MidiCall::kProgram, ch, program}); }
  int32_t rpn(int ch, int number, int value) override { return add({MidiCall::kRpn, ch, number, value}); }
  int32_t nrpn(int ch, int number, int value) override { return add({MidiCall::kNrpn, ch, number, value}); }
  int32_t control_change(int ch, int controller, int value) override {
    return add({MidiCall::kControl, ch, controller, value});
  }
  int32_t channel_message(int ch, int status, int d1, int d2) override {
    return add({MidiCall::kRaw, ch, status, d1, d2});
  }

  std::vector<MidiCall> of(MidiCall::Op op) const {
    std::vector<MidiCall> out;
    for (const MidiCall& call : calls)
      if (call.op == op) out.push_back(call);
    return out;
  }
  // Everything except the raw copies and time stamps.
  std::vector<MidiCall> decoded() const {
    std::vector<MidiCall> out;
    for (const MidiCall& call : calls)
      if (call.op != MidiCall::kRaw && call.op != MidiCall::kTimeStamp) out.push_back(call);
    return out;
  }

  std::vector<MidiCall> calls;

private:
  int32_t add(const MidiCall& call) { return calls.push_back(call), 0; }
};

struct Notification {
  int id;
  int value;
  bool operator==(const Notification& other) const { return id == other.id && value == other.value; }
};

class TestMidiIn : public mppi::MidiInCcMixin {
public:
  explicit TestMidiIn(mppi::MidiReceiverInterface* receiver) { attach(receiver); }

  int open() override { return 0; }
  int close() override { return 0; }
  int poll() override { return 0; }
  int notify_controller(int id, int value) override {
    notifications.push_back({id, value});
    return 0;
  }

  void send(int status, int data1, int data2, int detune_cents = 0) {
    receive_message(0, status, data1, data2, detune_cents);
  }
  // Controller changes on one channel, as (controller, value) pairs.
  void send_cc(int ch, std::initializer_list<std::pair<int, int>> pairs) {
    for (const auto& [controller, value] : pairs) send(0xB0 | ch, controller, value);
  }

  std::vector<Notification> notifications;
};

}  // namespace midi_test
