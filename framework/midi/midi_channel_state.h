#pragma once
// What one MIDI channel remembers between messages: keys and pedals, the
// selected registered or non-registered parameter and its data, tuning,
// bend range, bend and program. Turns the channel's messages into calls of
// its receiver.

#include <array>
#include <bitset>
#include <cstdint>

#include "basic/serializable_interface.h"

namespace mppi {

class MidiReceiverInterface;

// A controller as the binding layer sees it: kind << 16 | number, and a
// 14-bit value.
struct MidiCcNotification {
  int id = 0;
  int value = 0;
};

// Which of the controller pairs 98/99 and 100/101 carries the high bits.
// The swapped form keeps old set-ups working.
enum class NrpnNumbering { standard, swapped };

class MidiChannelState : public basic::SerializableInterface {
public:
  static constexpr int kRecordSize = 28;
  static constexpr int kNbrKeys = 128;
  static constexpr int kNrpnTableSize = 2048;
  static constexpr int kRpnNull = 0x3fff;
  static constexpr int kKindRpn = 0;
  static constexpr int kKindNrpn = 1;
  static constexpr int kIdRpn = 101 << 16;
  static constexpr int kIdNrpn = 99 << 16;

  MidiChannelState();

  // Pedals keep their state; everything else returns to its start value.
  void attach(MidiReceiverInterface* receiver, int channel);
  void detach();

  // status: the status nibble 8..14; data bytes are masked to 7 bits.
  // True when the binding layer should hear of a controller, given in `cc`.
  bool handle_message(int status, int data1, int data2, int detune_cents,
                      NrpnNumbering numbering, MidiCcNotification& cc);

  void set_bend_range(float semitones);

  // The 28-byte record of the settings.
  int read(const uint8_t* data, int len) override;
  int write(uint8_t* data) const override;
  int get_size() const override { return kRecordSize; }

  int get_channel() const { return channel_; }
  MidiReceiverInterface* get_receiver() const { return receiver_; }
  bool is_key_down(int note) const { return down_.test(static_cast<size_t>(note & 127)); }
  bool is_key_held(int note) const { return held_.test(static_cast<size_t>(note & 127)); }
  bool is_sustain_down() const { return sustain_; }
  bool is_sostenuto_down() const { return sostenuto_; }
  int get_param_kind() const { return param_kind_; }
  int get_bank() const { return bank_; }
  int get_program() const { return program_; }
  int get_rpn_number() const { return rpn_number_; }
  int get_nrpn_number() const { return nrpn_number_; }
  int get_nrpn_value(int number) const;
  int get_bend_range_data() const { return bend_range_data_; }
  int get_tuning_data() const { return tuning_data_; }
  double get_bend() const { return bend_; }
  double get_bend_range() const { return bend_range_; }
  double get_bend_factor() const { return bend_factor_; }
  double get_tuning() const { return tuning_; }

private:
  using KeySet = std::bitset<kNbrKeys>;

  void reset();
  void press_key(int note, int velocity, int detune_cents);
  void release_key(int note, int velocity);
  bool handle_controller(int controller, int value, NrpnNumbering numbering,
                         MidiCcNotification& cc);
  void select_number(int controller, int value, NrpnNumbering numbering);
  void enter_data(bool high, int value, MidiCcNotification& cc);
  int rpn_value() const;
  void track_pedal(int controller, int value);
  void end_let_go_keys();
  void update_held();
  void update_bend_range();
  void update_tuning();

  MidiReceiverInterface* receiver_ = nullptr;
  int channel_ = -1;
  KeySet down_;
  KeySet held_;
  KeySet released_;
  bool sustain_ = false;
  bool sostenuto_ = false;
  int param_kind_ = kKindRpn;
  int bank_ = 0;
  int program_ = 0;
  int rpn_number_ = 0;
  int bend_range_data_ = 0x100;
  int tuning_data_ = 0x2000;
  int nrpn_number_ = 0;
  std::array<uint16_t, kNrpnTableSize> nrpn_values_{};
  double bend_ = 0.0;
  double bend_range_ = 2.0;
  double bend_factor_ = 2.0 / 8192;
  double tuning_ = 0.0;
};

}  // namespace mppi
