#include "framework/midi/midi_in_chn.h"

#include <algorithm>
#include <thread>

#include <stdexcept>
#include <string>
#include <vector>

#include "basic/conf_key_multi.h"
#include "framework/core/big_endian.h"
#include "framework/midi/midi_receiver_interface.h"

namespace mppi {

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int MidiInChn::attach(MidiReceiverInterface* receiver) {
  receiver_ = receiver;
  for (int ch = 0; ch < kNbrChannels; ++ch) channels_[static_cast<size_t>(ch)].attach(receiver, ch);
  return 0;
}

int MidiInChn::detach() {
  receiver_ = nullptr;
  for (MidiChannelState& state : channels_) state.detach();
  return 0;
}

int MidiInChn::set_bend_range(float semitones) {
  for (MidiChannelState& state : channels_) state.set_bend_range(semitones);
  return 0;
}

double MidiInChn::get_bend_range() const { return channels_[0].get_bend_range(); }

bool MidiInChn::handle_message(int status, int data1, int data2, int detune_cents,
                               MidiCcNotification& cc) {
  apply_pending_state();
  if (status < 0x80 || status > 0xEF) return false;
  MidiChannelState& state = channels_[static_cast<size_t>(status & 0x0f)];
  return state.handle_message(status >> 4, data1, data2, detune_cents,
                              numbering_.load(std::memory_order_relaxed), cc);
}

void MidiInChn::set_time_stamp(long offset) {
  if (receiver_ != nullptr) receiver_->set_time_stamp(offset);
}

void MidiInChn::set_nrpn_numbering(NrpnNumbering numbering) {
  numbering_.store(numbering, std::memory_order_relaxed);
}

NrpnNumbering MidiInChn::get_nrpn_numbering() const {
  return numbering_.load(std::memory_order_relaxed);
}

const MidiChannelState& MidiInChn::get_channel_state(int channel) const {
  if (channel < 0 || channel >= kNbrChannels) {
    throw std::runtime_error("mppi::MidiInChn::get_channel_state() : Invalid channel.");
  }
  return channels_[static_cast<size_t>(channel)];
}

int MidiInChn::write(uint8_t* data) const {
  write_be32(data, 0);
  uint8_t* record = data + 4;
  for (const MidiChannelState& state : channels_) {
    state.write(record);
    record += MidiChannelState::kRecordSize;
  }
  return 0;
}

int MidiInChn::read(const uint8_t* data, int len) {
  if (data == nullptr || len < kStateSize) return kErrTooShort;
  // Checked first so that a refused image leaves every channel unchanged.
  for (int ch = 0; ch < kNbrChannels; ++ch) {
    if (read_be32(data + 4 + ch * MidiChannelState::kRecordSize) == 0) return kErrVersion;
  }
  const uint8_t* record = data + 4;
  for (MidiChannelState& state : channels_) {
    state.read(record, MidiChannelState::kRecordSize);
    record += MidiChannelState::kRecordSize;
  }
  return 0;
}

int MidiInChn::write_settings(basic::ConfKeyMulti& section) const {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::vector<uint8_t> bytes(static_cast<size_t>(get_size()));
  write(bytes.data());
  std::string text;
  text.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 15]);
  }
  section.set_string(kSettingKey, text);
  return 0;
}

int MidiInChn::read_settings(const basic::ConfKeyMulti& section) {
  if (section.get_key(kSettingKey) == nullptr) return 0;  // nothing saved: keep the state
  const std::string text = section.get_string(kSettingKey);
  if (text.size() % 2 != 0) return kErrText;
  std::vector<uint8_t> bytes(text.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int high = hex_digit(text[2 * i]);
    const int low = hex_digit(text[2 * i + 1]);
    if (high < 0 || low < 0) return kErrText;
    bytes[i] = static_cast<uint8_t>(high * 16 + low);
  }
  if (static_cast<int>(bytes.size()) < kStateSize) return kErrTooShort;
  for (int ch = 0; ch < kNbrChannels; ++ch) {
    if (read_be32(bytes.data() + 4 + ch * MidiChannelState::kRecordSize) == 0) return kErrVersion;
  }
  // Take the slot; only a hand-over being applied right now makes us wait.
  int expected = pending_.load();
  for (;;) {
    if (expected == kPendingApplying || expected == kPendingWriting) {
      std::this_thread::yield();
      expected = pending_.load();
      continue;
    }
    if (pending_.compare_exchange_weak(expected, kPendingWriting)) break;
  }
  std::copy(bytes.begin(), bytes.begin() + kStateSize, pending_image_.begin());
  pending_.store(kPendingReady);
  return 0;
}

void MidiInChn::apply_pending_state() {
  int expected = kPendingReady;
  if (!pending_.compare_exchange_strong(expected, kPendingApplying)) return;
  read(pending_image_.data(), kStateSize);
  pending_.store(kPendingEmpty);
}

}  // namespace mppi
