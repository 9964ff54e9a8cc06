#include "framework/midi/midi_channel_state.h"

#include <algorithm>
#include <cmath>

#include "framework/core/big_endian.h"
#include "framework/midi/midi_receiver_interface.h"

namespace mppi {

namespace {

constexpr int kStatusNoteOff = 0x8;
constexpr int kStatusNoteOn = 0x9;
constexpr int kStatusKeyPressure = 0xA;
constexpr int kStatusControl = 0xB;
constexpr int kStatusProgram = 0xC;
constexpr int kStatusChannelPressure = 0xD;
constexpr int kStatusPitchBend = 0xE;

constexpr int kCtrlBankHigh = 0;
constexpr int kCtrlDataHigh = 6;
constexpr int kCtrlBankLow = 32;
constexpr int kCtrlDataLow = 38;
constexpr int kCtrlSustain = 64;
constexpr int kCtrlSostenuto = 66;
constexpr int kCtrlNrpnLow = 98;
constexpr int kCtrlNrpnHigh = 99;
constexpr int kCtrlRpnLow = 100;
constexpr int kCtrlRpnHigh = 101;

constexpr int kRpnBendRange = 0;
constexpr int kRpnFineTuning = 1;
constexpr int kRpnCoarseTuning = 2;

constexpr int kBendRangeStart = 0x100;  // 2 semitones 0 cents
constexpr int kTuningCentre = 0x2000;
constexpr int kMax14 = 0x3fff;
constexpr int kRecordVersion = 1;

// Replaces the high (bits 7-13) or low (bits 0-6) half of a 14-bit word.
int with_half(int word, bool high, int value) {
  return high ? ((word & 0x7f) | (value << 7)) : ((word & 0x3f80) | value);
}

int clamp14(int value) { return std::clamp(value, 0, kMax14); }

}  // namespace

MidiChannelState::MidiChannelState() { reset(); }

void MidiChannelState::attach(MidiReceiverInterface* receiver, int channel) {
  receiver_ = receiver;
  channel_ = channel;
  reset();
}

void MidiChannelState::detach() {
  receiver_ = nullptr;
  channel_ = -1;
}

void MidiChannelState::reset() {
  down_.reset();
  held_.reset();
  released_.reset();
  nrpn_values_.fill(0);
  bend_ = 0.0;
  param_kind_ = kKindRpn;
  bank_ = 0;
  program_ = 0;
  rpn_number_ = 0;
  bend_range_data_ = kBendRangeStart;
  tuning_data_ = kTuningCentre;
  nrpn_number_ = 0;
  update_bend_range();
  update_tuning();
}

int MidiChannelState::get_nrpn_value(int number) const {
  if (number < 0 || number >= kNrpnTableSize) return 0;
  return nrpn_values_[static_cast<size_t>(number)];
}

bool MidiChannelState::handle_message(int status, int data1, int data2, int detune_cents,
                                      NrpnNumbering numbering, MidiCcNotification& cc) {
  const int d1 = data1 & 0x7f;
  const int d2 = data2 & 0x7f;
  bool notify = false;
  switch (status) {
    case kStatusNoteOff:
      release_key(d1, d2);
      break;
    case kStatusNoteOn:
      if (d2 == 0) {
        release_key(d1, 0);
      } else {
        press_key(d1, d2, detune_cents);
      }
      break;
    case kStatusKeyPressure:
      if (receiver_ != nullptr) receiver_->key_pressure(channel_, d1, static_cast<float>(d2) / 64.0f);
      break;
    case kStatusControl:
      notify = handle_controller(d1, d2, numbering, cc);
      track_pedal(d1, d2);
      break;
    case kStatusProgram:
      program_ = bank_ * 128 + d1;
      if (receiver_ != nullptr) receiver_->program_change(channel_, program_);
      break;
    case kStatusChannelPressure:
      break;
    case kStatusPitchBend:
      bend_ = ((d2 - 64) * 128 + d1) * bend_factor_;
      if (receiver_ != nullptr) receiver_->pitch_bend(channel_, static_cast<float>(bend_));
      break;
    default:
      return false;
  }
  if (receiver_ != nullptr) receiver_->channel_message(channel_, status, d1, d2);
  return notify;
}

void MidiChannelState::press_key(int note, int velocity, int detune_cents) {
  const auto key = static_cast<size_t>(note);
  down_.set(key);
  released_.reset(key);
  if (receiver_ == nullptr) return;
  const double pitch = note + detune_cents * 0.01 + tuning_;
  receiver_->note_on(channel_, note, static_cast<float>(pitch), 0.0f,
                     static_cast<float>(velocity) / 64.0f, 1);
}

void MidiChannelState::release_key(int note, int velocity) {
  const auto key = static_cast<size_t>(note);
  if (held_.test(key)) {
    released_.set(key);  // keeps sounding until the pedals let go
    return;
  }
  down_.reset(key);
  if (receiver_ != nullptr) receiver_->note_off(channel_, note, static_cast<float>(velocity) / 64.0f);
}

bool MidiChannelState::handle_controller(int controller, int value, NrpnNumbering numbering,
                                         MidiCcNotification& cc) {
  switch (controller) {
    case kCtrlNrpnLow:
    case kCtrlNrpnHigh:
    case kCtrlRpnLow:
    case kCtrlRpnHigh:
      select_number(controller, value, numbering);
      return false;
    case kCtrlDataHigh:
    case kCtrlDataLow:
      enter_data(controller == kCtrlDataHigh, value, cc);
      return true;
    case kCtrlBankHigh:
    case kCtrlBankLow:
      bank_ = with_half(bank_, controller == kCtrlBankHigh, value);
      break;
    default:
      break;
  }
  if (receiver_ != nullptr) receiver_->control_change(channel_, controller, value);
  cc.id = controller << 16;
  cc.value = value << 7;
  return true;
}

void MidiChannelState::select_number(int controller, int value, NrpnNumbering numbering) {
  const bool even_is_high = numbering == NrpnNumbering::swapped;
  const bool high = (controller % 2 == 0) == even_is_high;
  if (controller == kCtrlNrpnLow || controller == kCtrlNrpnHigh) {
    nrpn_number_ = with_half(nrpn_number_, high, value);
    param_kind_ = kKindNrpn;
  } else {
    rpn_number_ = with_half(rpn_number_, high, value);
    param_kind_ = kKindRpn;
  }
}

void MidiChannelState::enter_data(bool high, int value, MidiCcNotification& cc) {
  if (param_kind_ == kKindNrpn) {
    int entry = 0;
    if (nrpn_number_ < kNrpnTableSize) {
      uint16_t& slot = nrpn_values_[static_cast<size_t>(nrpn_number_)];
      slot = static_cast<uint16_t>(with_half(slot, high, value));
      entry = slot;
    }
    if (receiver_ != nullptr) receiver_->nrpn(channel_, nrpn_number_, entry);
    cc.id = kIdNrpn + nrpn_number_;
    cc.value = entry;
    return;
  }

  switch (rpn_number_) {
    case kRpnBendRange:
      bend_range_data_ = with_half(bend_range_data_, high, value);
      update_bend_range();
      break;
    case kRpnFineTuning:
      tuning_data_ = with_half(tuning_data_, high, value);
      update_tuning();
      break;
    case kRpnCoarseTuning:
      if (high) {
        tuning_data_ = value << 7;
        update_tuning();
      }
      break;
    case kRpnNull:
      rpn_number_ = kRpnBendRange;
      bend_range_data_ = kBendRangeStart;
      tuning_data_ = kTuningCentre;
      update_bend_range();
      update_tuning();
      break;
    default:
      break;
  }
  const int data = rpn_value();
  if (receiver_ != nullptr) receiver_->rpn(channel_, rpn_number_, data);
  cc.id = kIdRpn + rpn_number_;
  cc.value = data;
}

int MidiChannelState::rpn_value() const {
  switch (rpn_number_) {
    case kRpnBendRange: return bend_range_data_;
    case kRpnFineTuning: return tuning_data_;
    case kRpnCoarseTuning: return tuning_data_ >> 7;
    default: return 0;
  }
}

void MidiChannelState::track_pedal(int controller, int value) {
  bool* pedal = nullptr;
  if (controller == kCtrlSustain) pedal = &sustain_;
  if (controller == kCtrlSostenuto) pedal = &sostenuto_;
  const bool down = value > 63;
  if (pedal == nullptr || *pedal == down) return;
  *pedal = down;
  end_let_go_keys();
  update_held();
}

void MidiChannelState::end_let_go_keys() {
  if (released_.none()) return;
  for (int note = 0; note < kNbrKeys; ++note) {
    const auto key = static_cast<size_t>(note);
    if (!released_.test(key)) continue;
    released_.reset(key);
    if (down_.test(key)) {
      down_.reset(key);
      if (receiver_ != nullptr) receiver_->note_off(channel_, note, 1.0f);
    }
  }
}

void MidiChannelState::update_held() {
  if (sustain_) {
    held_.set();
  } else if (sostenuto_) {
    held_ = down_;
  } else {
    held_.reset();
  }
}

void MidiChannelState::set_bend_range(float semitones) {
  const double range = std::isfinite(semitones) ? std::clamp(static_cast<double>(semitones), 0.0, 127.99) : 0.0;
  int whole = static_cast<int>(range);
  int hundredths = static_cast<int>(std::lround((range - whole) * 100.0));
  if (hundredths >= 100) {
    ++whole;
    hundredths = 0;
  }
  bend_range_data_ = ((whole & 127) << 7) + (hundredths & 127);
  update_bend_range();
}

void MidiChannelState::update_bend_range() {
  bend_range_ = (bend_range_data_ >> 7) + (bend_range_data_ & 127) * 0.01;
  bend_factor_ = bend_range_ * 0.0001220703125;
}

void MidiChannelState::update_tuning() {
  tuning_ = ((tuning_data_ >> 7) - 64) + (tuning_data_ & 127) * 0.01;
}

int MidiChannelState::write(uint8_t* data) const {
  write_be32(data, kRecordVersion);
  write_be32(data + 4, static_cast<uint32_t>(channel_));
  write_be32(data + 8, static_cast<uint32_t>(program_));
  write_be16(data + 12, static_cast<uint16_t>(bank_));
  data[14] = sustain_ ? 1 : 0;
  data[15] = sostenuto_ ? 1 : 0;
  write_be16(data + 16, static_cast<uint16_t>(rpn_number_));
  write_be16(data + 18, static_cast<uint16_t>(nrpn_number_));
  write_be16(data + 20, static_cast<uint16_t>(tuning_data_));
  write_be16(data + 22, static_cast<uint16_t>(bend_range_data_));
  write_be_float(data + 24, static_cast<float>(bend_));
  return 0;
}

int MidiChannelState::read(const uint8_t* data, int len) {
  if (data == nullptr || len < kRecordSize) return -1;
  if (read_be32(data) == 0) return -2;
  // The channel number belongs to the slot this record is loaded into.
  program_ = static_cast<int32_t>(read_be32(data + 8));
  bank_ = clamp14(read_be16(data + 12));
  const bool sustain = data[14] != 0;
  const bool sostenuto = data[15] != 0;
  rpn_number_ = clamp14(read_be16(data + 16));
  nrpn_number_ = clamp14(read_be16(data + 18));
  tuning_data_ = clamp14(read_be16(data + 20));
  bend_range_data_ = clamp14(read_be16(data + 22));
  update_bend_range();
  update_tuning();

  const float bend = read_be_float(data + 24);
  // A bend may lie outside the current range when the range was narrowed
  // after it was sent; it is kept as saved, within the widest range.
  constexpr double kWidestBend = 127.0 + 127 * 0.01;
  bend_ = std::isfinite(bend) ? std::clamp(static_cast<double>(bend), -kWidestBend, kWidestBend) : 0.0;

  const bool pedals_changed = sustain != sustain_ || sostenuto != sostenuto_;
  sustain_ = sustain;
  sostenuto_ = sostenuto;
  if (pedals_changed) end_let_go_keys();  // no key may hang on a pedal that is now up
  update_held();
  if (receiver_ != nullptr) receiver_->pitch_bend(channel_, static_cast<float>(bend_));
  return 0;
}

}  // namespace mppi
