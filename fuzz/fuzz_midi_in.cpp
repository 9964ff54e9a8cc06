// Arbitrary bytes as MIDI channel messages: never a crash, every receiver
// call keeps its value ranges, and the channel states survive a save and
// load unchanged.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/midi/midi_receiver_interface.h"
#include "framework/midi_devices/midi_in_cc_mixin.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void require_data(int ch, int data) { require(ch >= 0 && ch < 16 && data >= 0 && data < 128); }

class CheckingReceiver : public mppi::MidiReceiverInterface {
public:
  int32_t note_on(int ch, int note, float pitch, float value, float velocity, int flag) override {
    require_data(ch, note);
    require(std::isfinite(pitch) && value == 0.0f && velocity > 0.0f && velocity < 2.0f && flag == 1);
    return 0;
  }
  int32_t note_off(int ch, int note, float velocity) override {
    require_data(ch, note);
    require(velocity >= 0.0f && velocity < 2.0f);
    return 0;
  }
  int32_t key_pressure(int ch, int note, float pressure) override {
    require_data(ch, note);
    require(pressure >= 0.0f && pressure < 2.0f);
    return 0;
  }
  int32_t pitch_bend(int ch, float bend) override {
    require_data(ch, 0);
    require(std::fabs(bend) <= 128.28f);
    return 0;
  }
  int32_t program_change(int ch, int program) override {
    require_data(ch, 0);
    require(program >= 0 && program < 16384 * 128);
    return 0;
  }
  int32_t rpn(int ch, int number, int value) override { return param(ch, number, value); }
  int32_t nrpn(int ch, int number, int value) override { return param(ch, number, value); }
  int32_t control_change(int ch, int controller, int value) override {
    require_data(ch, controller);
    require_data(ch, value);
    return 0;
  }
  int32_t channel_message(int ch, int status, int data1, int data2) override {
    require_data(ch, data1);
    require_data(ch, data2);
    require(status >= 8 && status <= 14);
    return 0;
  }

private:
  static int32_t param(int ch, int number, int value) {
    require_data(ch, 0);
    require(number >= 0 && number < 16384 && value >= 0 && value < 16384);
    return 0;
  }
};

class FuzzMidiIn : public mppi::MidiInCcMixin {
public:
  int open() override { return 0; }
  int close() override { return 0; }
  int poll() override { return 0; }
  int notify_controller(int id, int value) override {
    require(id >= 0 && (id >> 16) < 128 && (id & 0xffff) < 16384 && value >= 0 && value < 16384);
    return 0;
  }
};

std::vector<uint8_t> saved(const mppi::MidiInChn& in) {
  std::vector<uint8_t> bytes(static_cast<size_t>(in.get_size()));
  require(in.write(bytes.data()) == 0);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  CheckingReceiver receiver;
  FuzzMidiIn in;
  in.attach(&receiver);
  in.set_nrpn_numbering((data[0] & 1) != 0 ? mppi::NrpnNumbering::swapped
                                            : mppi::NrpnNumbering::standard);
  in.set_bend_range(static_cast<float>(data[0]) * 0.5f);
  for (size_t i = 1; i + 3 <= size; i += 3) {
    in.receive_message(static_cast<long>(i), data[i], data[i + 1], data[i + 2],
                       static_cast<int8_t>(data[i + 1] ^ data[i + 2]));
  }

  const std::vector<uint8_t> first = saved(in);
  FuzzMidiIn copy;
  copy.attach(&receiver);
  require(copy.read(first.data(), static_cast<int>(first.size())) == 0);
  require(saved(copy) == first);
  return 0;
}
